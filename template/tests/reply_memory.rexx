/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: @year@ The @name@ authors */
/* reply_memory.rexx: 1,000 replies of 100,000 bytes each, every one in a
   block from RexxAllocateMemory that the interpreter frees.  Run under
   valgrind, which fails on a leak or a double free. */
options NOEXT_COMMANDS_AS_FUNCS
call RxFuncAdd '@Name@LoadFuncs', '@name@', '@Name@LoadFuncs'
if RxFuncQuery('@Name@LoadFuncs') \= 0 then do
  say 'lib@name@.so was not found'
  exit 1
end
call @Name@LoadFuncs
text = copies('ab', 50000)
do 1000
  reply = @Name@Reverse(text)
end
if reply \== copies('ba', 50000) then exit 1
say '1000 replies of' length(reply) 'bytes'

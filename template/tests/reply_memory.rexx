/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The mathx authors */
/* reply_memory.rexx: the package's memory, both ways, under valgrind,
   which fails on a leak or a double free: 1,000 replies of 100,000 bytes,
   each in a block from RexxAllocateMemory that the interpreter frees;
   1,000 splits into a stem of 100 items of 1,000 bytes; and 1,000 joins
   of them, each item fetched in a block that the interpreter allocates
   and the package frees. */
options NOEXT_COMMANDS_AS_FUNCS
call RxFuncAdd 'MathxLoadFuncs', 'mathx', 'MathxLoadFuncs'
if RxFuncQuery('MathxLoadFuncs') \= 0 then do
  say 'libmathx.so was not found'
  exit 1
end
call MathxLoadFuncs
text = copies('ab', 50000)
do 1000
  reply = MathxReverse(text)
end
if reply \== copies('ba', 50000) then exit 1
say '1000 replies of' length(reply) 'bytes'
text = copies(copies('x', 1000) '', 100)
do 1000
  call MathxSplit text, 'items.'
  joined = MathxJoin('items.')
end
if items.0 \= 100 | joined \== strip(text) then exit 1
say '1000 splits and joins of' items.0 'items of' length(items.100) 'bytes'

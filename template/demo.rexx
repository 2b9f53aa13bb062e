/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: @year@ The @name@ authors */
/* demo.rexx: calls each routine of the @name@ package once.
   Run it as regina ./demo.rexx, or with the build: cmake --workflow --preset demo */
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd '@Name@LoadFuncs', '@name@', '@Name@LoadFuncs'
if RxFuncQuery('@Name@LoadFuncs') \= 0 then do
  say 'lib@name@.so was not found'
  exit 1
end
call @Name@LoadFuncs

say @Name@Reverse('stressed')
count = @Name@Split('the quick  brown fox', 'words.')
say count 'words; the last is' words.count
say @Name@Join('words.', '+')

call @Name@DropFuncs

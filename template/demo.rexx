/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The mathx authors */
/* demo.rexx: calls each routine of the mathx package once.
   Run it as regina ./demo.rexx, or with the build: cmake --workflow --preset demo */
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd 'MathxLoadFuncs', 'mathx', 'MathxLoadFuncs'
if RxFuncQuery('MathxLoadFuncs') \= 0 then do
  say 'libmathx.so was not found'
  exit 1
end
call MathxLoadFuncs

say MathxReverse('stressed')
count = MathxSplit('the quick  brown fox', 'words.')
say count 'words; the last is' words.count
say MathxJoin('words.', '+')

call MathxDropFuncs

/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The morvelin authors */
/* Times calls made through the interpreter: each path of the package
   beside SysUtilVersion() from the interpreter's own RexxUtil package, a
   built-in function and an internal routine, all in one run.  The table
   goes to standard error, so that standard output, where the printing
   routines write, can be sent to /dev/null.
   usage: regina calls.rexx [N] >/dev/null */
parse arg n .
if n = '' then n = 100000
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
if RxFuncQuery('ApiLoadFuncs') \= 0 then do
  say 'libmorvelin.so was not found'
  exit 1
end
call ApiLoadFuncs
call RxFuncAdd 'SysLoadFuncs', 'regutil', 'SysLoadFuncs'
if RxFuncQuery('SysLoadFuncs') \= 0 then do
  say 'libregutil.so was not found'
  exit 1
end
call SysLoadFuncs

statements = 'x = SysUtilVersion()',
  || '|x = length("abc")',
  || '|x = internal()',
  || '|x = Api_Output_From_REXX()',
  || '|x = Api_Output_From_REXX("x")',
  || '|x = Api_Output_From_C("x")',
  || '|x = ApiLoadFuncs()',
  || '|call ApiDeregFunc; call ApiLoadFuncs',
  || '|x = Api_Output_From_C()',
  || '|x = Api_Exchange_Data(12, -7, "hello")',
  || '|x = Api_Exchange_Data(12)'

empty = seconds('nop')
call lineout '<stderr>', left('statement, timed' n 'times', 42),
  right('us/call', 8) right('ratio', 7)
reference = ''
do while statements \= ''
  parse var statements statement '|' statements
  each = (seconds(statement) - empty) / n * 1000000
  if reference = '' then reference = each
  call lineout '<stderr>', left(statement, 42) right(format(each, , 3), 8),
    right(format(each / reference, , 2)'x', 7)
end
exit

/* Seconds that n runs of a statement take, the loop included. */
seconds:
  call time 'R'
  interpret 'do n;' arg(1) '; end'
  return time('E')

internal: return ''

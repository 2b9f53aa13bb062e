/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The morvelin authors */
/* Loads the package in the interpreter and calls every routine in the ways
   a REXX program can; kit/run-rexx compares the output with
   interpreter.expected. */
package = 'ApiLoadFuncs Api_Output_From_C Api_Output_From_REXX',
          'Api_Exchange_Data ApiDeregFunc'

say 'Loading'
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
if RxFuncQuery('ApiLoadFuncs') \= 0 then do
  say 'libmorvelin.so was not found'
  exit 1
end
say '  ApiLoadFuncs() =' show(ApiLoadFuncs())
call registered

say 'Output routines'
say '  Api_Output_From_C() =' show(Api_Output_From_C())
say '  Api_Output_From_C("") =' show(Api_Output_From_C(''))
say '  Api_Output_From_C(1, 2) =' show(Api_Output_From_C(1, 2))
say '  Api_Output_From_REXX() =' show(Api_Output_From_REXX())
say '  Api_Output_From_REXX(1) =' show(Api_Output_From_REXX(1))
say '  Api_Output_From_REXX(, 2) =' show(Api_Output_From_REXX(, 2))

say 'Argument exchange'
say '  reply' show(Api_Exchange_Data(12, -7, 'hello'))
say '  reply' show(Api_Exchange_Data('12abc', ' 5', '3.9'))
say '  reply' show(Api_Exchange_Data('abc', '', ''))
say '  reply' show(Api_Exchange_Data('-5', '  +12', 'negative first'))
say '  reply' show(Api_Exchange_Data('010', '-007', 'leading zeros'))
say '  reply' show(Api_Exchange_Data('0x1A', '1e3', 'hex, exponent'))
say '  reply' show(Api_Exchange_Data('+-5', '- 5', 'two signs, sign and space'))
say '  reply' show(Api_Exchange_Data(1, , 'middle argument omitted'))
say '  reply' show(Api_Exchange_Data(, 2, 'first argument omitted'))
say '  reply' show(Api_Exchange_Data('2147483648', '-2147483649', 'just out'))
say '  reply' show(Api_Exchange_Data('4294967296', '-99999999999999999999', ,
                                     'far out'))
say '  reply' show(Api_Exchange_Data(1, 2, copies('0123456789', 30)))
say '  reply' show(Api_Exchange_Data())
say '  reply' show(Api_Exchange_Data(1))
say '  reply' show(Api_Exchange_Data(1, 2))
say '  reply' show(Api_Exchange_Data(1, 2, 3, 4))
say '  reply' show(Api_Exchange_Data(1, 2, 3, 4, 5, 6, 7, 8, 9))
call Api_Exchange_Data 'called', 'as a', 'subroutine'
say '  result' show(result)

say 'Unloading'
signal on syntax name refused
call ApiDeregFunc 'x'
say '  ApiDeregFunc("x") returned'
refused:
signal off syntax
say '  ApiDeregFunc("x") raised error' rc':' errortext(rc)
call registered
call ApiDeregFunc
say '  ApiDeregFunc() left RESULT' word('set dropped', 1 + (symbol('RESULT') = 'LIT'))
call registered
say '  ApiLoadFuncs() =' show(ApiLoadFuncs())
call registered
call ApiDeregFunc
exit

/* A value as text in quotes, with its length. */
show: return '"'arg(1)'" ('length(arg(1))')'

/* Lists the package's routines that the interpreter knows. */
registered: procedure expose package
  known = ''
  do i = 1 to words(package)
    if RxFuncQuery(word(package, i)) = 0 then known = known word(package, i)
  end
  say '  registered:' strip(known)
  return

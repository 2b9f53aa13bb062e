/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The morvelin authors */
/* demo.rexx: a tour of the morvelin function package.

   Run it through CMake: cmake --workflow --preset demo, or after that
   with the library it built: REGINA_ADDON_DIR=build/demo regina ./examples/demo.rexx */

/* Only ApiLoadFuncs has to be made known by hand: module "morvelin" is
   the library libmorvelin.so.  RxFuncAdd answers 0 when it registers it,
   10 when it was registered already and 40 when the library is missing;
   RxFuncQuery then answers 0 only if it is registered.  Without the
   option, a call of a routine that is not registered would run as a
   shell command, with its arguments. */
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
if RxFuncQuery('ApiLoadFuncs') \= 0 then do
  say 'libmorvelin.so was not found'
  exit 1
end
call ApiLoadFuncs
call show_registered

say
say '1. Output displayed by C'
say '   Api_Output_From_C writes its line to standard output itself;'
say '   REXX gets back only a short reply.'
reply = Api_Output_From_C()
say '   It replied:' reply

say
say '2. Output handed back to REXX'
say '   Api_Output_From_REXX prints nothing: it returns its text, and'
say '   this program displays it.'
text = Api_Output_From_REXX()
say text

say
say '   Arguments are refused in the reply, not with an error:'
say '  ' Api_Output_From_C('unexpected')
say '  ' Api_Output_From_REXX('unexpected')

say
say '3. Exchanging data'
say '   Api_Exchange_Data takes two numbers and a text, reports what it'
say '   received, and returns a status: 0 for three arguments, 1 otherwise.'
status = Api_Exchange_Data(42, -17, 'Hello from REXX')
say '   Status:' status
say '   Numbers are read as far as they go; an omitted argument is empty.'
status = Api_Exchange_Data('12 apples', , 'first number read, second omitted')
say '   Status:' status
say '   With the wrong number of arguments:'
status = Api_Exchange_Data(42, -17)
say '   Status:' status

say
say '4. Unloading'
/* ApiDeregFunc takes no arguments and returns no value, so call it. */
call ApiDeregFunc
call show_registered
exit

/* Says which of the package's routines the interpreter knows now. */
show_registered: procedure
  routines = 'ApiLoadFuncs Api_Output_From_C Api_Output_From_REXX',
             'Api_Exchange_Data ApiDeregFunc'
  say 'Registered routines:'
  do i = 1 to words(routines)
    name = word(routines, i)
    say '  ' left(name, 22) word('yes no', 1 + (RxFuncQuery(name) \= 0))
  end
  return

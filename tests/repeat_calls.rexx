/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The morvelin authors */
/* Calls one routine path COUNT times and prints nothing of its own, so
   that a tracer can count the system calls that the path makes.
   usage: regina repeat_calls.rexx PATH COUNT */
parse arg path count
options NOEXT_COMMANDS_AS_FUNCS  /* an unknown function is an error, not a shell command */
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
if RxFuncQuery('ApiLoadFuncs') \= 0 then do
  say 'libmorvelin.so was not found'
  exit 1
end
call ApiLoadFuncs
do count
  select
    when path = 'load_funcs' then call ApiLoadFuncs
    when path = 'dereg_func' then do; call ApiDeregFunc; call ApiLoadFuncs; end
    when path = 'output_from_rexx' then call Api_Output_From_REXX
    when path = 'output_from_rexx_refused' then call Api_Output_From_REXX 'x'
    when path = 'output_from_c_refused' then call Api_Output_From_C 'x'
    when path = 'output_from_c' then call Api_Output_From_C
    when path = 'exchange_data' then call Api_Exchange_Data 12, -7, 'hello'
    when path = 'exchange_data_wrong_count' then call Api_Exchange_Data 12
    when datatype(substr(path, 15), 'W') then  /* exchange_data_LENGTH */
      call Api_Exchange_Data 12, -7, copies('x', substr(path, 15))
    otherwise nop
  end
end

/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The morvelin authors */
/* Calls one routine path COUNT times and prints nothing of its own, so
   that a tracer can count the system calls that the path makes.
   usage: regina repeat_calls.rexx PATH COUNT */
parse arg path count
call RxFuncAdd 'ApiLoadFuncs', 'morvelin', 'ApiLoadFuncs'
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
    otherwise nop
  end
end

/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: @year@ The @name@ authors */
/* routines.rexx: every routine of @name@ against what it must do, each
   group a table of cases.  Prints the cases that fail, then a count, and
   exits 1 if any failed. */
options NOEXT_COMMANDS_AS_FUNCS
call RxFuncAdd '@Name@LoadFuncs', '@name@', '@Name@LoadFuncs'
if RxFuncQuery('@Name@LoadFuncs') \= 0 then do
  say 'lib@name@.so was not found'
  exit 1
end
passed = 0; failed = 0

/* Loading and dropping: each replies with the empty string. */
call check '@Name@LoadFuncs()', ''
call check '@Name@DropFuncs()', ''
call check 'RxFuncQuery("@Name@Reverse")', 1
call check '@Name@LoadFuncs()', ''
call check 'RxFuncQuery("@Name@Reverse")', 0

/* Reverse: any bytes, NULs too, and longer than the interpreter's buffer. */
t.1 = ''; t.2 = 'a'; t.3 = 'abc'; t.4 = 'a'||'00'x||'b'; t.5 = 'ff00fe'x
t.6 = copies('0123456789', 30)'!'; t.0 = 6
do i = 1 to t.0
  text = t.i
  wanted = ''
  do j = length(text) to 1 by -1
    wanted = wanted || substr(text, j, 1)
  end
  call check '@Name@Reverse(text)', wanted
end

/* Split: the same words as words() and word(), into a stem named in any
   case. */
t.1 = ''; t.2 = 'one'; t.3 = '  two  words  '; t.4 = 'a'||'090a0b0c0d'x||'b c'
t.5 = 'x'||'00'x||'y'; t.6 = copies('w ', 300); t.0 = 6
do i = 1 to t.0
  text = t.i
  drop parts.
  call check '@Name@Split(text, "Parts.")', words(text)
  call check 'parts.0', words(text)
  do j = 1 to words(text)
    if parts.j \== word(text, j) then call fail 'word' j 'of' c2x(text)
  end
end
call check '@Name@Split("a b", "lower.") lower.2', '2 b'

/* Incorrect calls: REXX error 40. */
calls = '@Name@Reverse() @Name@Reverse("a","b") @Name@Reverse(,"b")',
  '@Name@Split("a") @Name@Split("a","stem") @Name@Split(,"s.")',
  '@Name@Split("a",) @Name@Split("a","s.","x") @Name@DropFuncs("x")'
do i = 1 to words(calls)
  call check_error40 word(calls, i)
end

say passed 'passed,' failed 'failed'
exit failed > 0

/* check EXPRESSION, WANTED: the expression's value is exactly WANTED. */
check:
  interpret 'got =' arg(1)
  if got == arg(2) then passed = passed + 1
  else call fail arg(1) 'gave' c2x(got) 'not' c2x(arg(2))
  return

/* check_error40 CALL: the call raises REXX error 40. */
check_error40:
  signal on syntax name error40
  interpret 'got =' arg(1)
  call fail arg(1) 'raised no error'
  return
error40:
  if rc = 40 then passed = passed + 1
  else call fail arg(1) 'raised error' rc 'not 40'
  return

fail:
  say 'FAILED:' arg(1)
  failed = failed + 1
  return

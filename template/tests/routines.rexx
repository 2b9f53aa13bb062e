/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 The mathx authors */
/* routines.rexx: every routine of mathx against what it must do, each
   group a table of cases.  Prints the cases that fail, then a count, and
   exits 1 if any failed. */
options NOEXT_COMMANDS_AS_FUNCS
call RxFuncAdd 'MathxLoadFuncs', 'mathx', 'MathxLoadFuncs'
if RxFuncQuery('MathxLoadFuncs') \= 0 then do
  say 'libmathx.so was not found'
  exit 1
end
passed = 0; failed = 0

/* Loading and dropping: each replies with the empty string; loading
   takes any arguments. */
call check 'MathxLoadFuncs()', ''
call check 'MathxLoadFuncs("x", , "y")', ''
call check 'MathxDropFuncs()', ''
call check 'RxFuncQuery("MathxReverse")', 1
call check 'MathxLoadFuncs()', ''
call check 'RxFuncQuery("MathxReverse")', 0

/* Reverse: any bytes, NULs too, and longer than the interpreter's buffer. */
t.1 = ''; t.2 = 'a'; t.3 = 'abc'; t.4 = 'a'||'00'x||'b'; t.5 = 'ff00fe'x
t.6 = copies('0123456789', 30)'!'; t.0 = 6
do i = 1 to t.0
  text = t.i
  wanted = ''
  do j = length(text) to 1 by -1
    wanted = wanted || substr(text, j, 1)
  end
  call check 'MathxReverse(text)', wanted
end

/* Split: the same words as words() and word(), into a stem named in any
   case. */
t.1 = ''; t.2 = 'one'; t.3 = '  two  words  '; t.4 = 'a'||'090a0b0c0d'x||'b c'
t.5 = 'x'||'00'x||'y'; t.6 = copies('w ', 300); t.0 = 6
do i = 1 to t.0
  text = t.i
  drop parts.
  call check 'MathxSplit(text, "Parts.")', words(text)
  call check 'parts.0', words(text)
  do j = 1 to words(text)
    if parts.j \== word(text, j) then call fail 'word' j 'of' c2x(text)
  end
end
call check 'MathxSplit("a b", "lower.") lower.2', '2 b'

/* Join: the items as they are, any bytes and any length, joined by the
   separator; and what Split set, joined by blanks, is its words. */
drop s.; s.0 = 3; s.1 = 'a'; s.2 = ''; s.3 = 'c'||'00'x||copies('z', 300)
call check 'MathxJoin("s.")', 'a  c'||'00'x||copies('z', 300)
call check 'MathxJoin("S.", "")', 'ac'||'00'x||copies('z', 300)
call check 'length(MathxJoin("s.", "<"||"00"x||">"))', 309
t.1 = ''; t.2 = 'one'; t.3 = '  two'||'09'x||'words  '; t.4 = copies('w ', 300); t.0 = 4
do i = 1 to t.0
  drop r.
  call MathxSplit t.i, 'r.'
  wanted = ''
  do j = 1 to words(t.i)
    wanted = wanted word(t.i, j)
  end
  call check 'MathxJoin("r.")', strip(wanted, 'L')
end
/* stem.0 as REXX writes a whole number of 0 or more, exponents apart. */
drop s.; s.1 = 'x'; s.2 = 'y'
n.1 = '2'; n.2 = ' 2 '; n.3 = '+2'; n.4 = '+ 2'; n.5 = '2.0'; n.6 = '2.'
n.7 = '002'; n.8 = '09'x||'2'; n.9 = '0'; n.10 = '1'; n.0 = 10
do i = 1 to n.0
  s.0 = n.i
  call check 'MathxJoin("s.")', subword('x y', 1, format(n.i))
end

/* Incorrect calls: REXX error 40. */
e.1 = 'MathxReverse()'; e.2 = 'MathxReverse("a", "b")'; e.3 = 'MathxReverse(, "b")'
e.4 = 'MathxSplit("a")'; e.5 = 'MathxSplit("a", "stem")'; e.6 = 'MathxSplit(, "s.")'
e.7 = 'MathxSplit("a", )'; e.8 = 'MathxSplit("a", "s.", "x")'
e.9 = 'MathxSplit("p q", "a-b.")'; e.10 = 'MathxSplit("", "a-b.")'
e.11 = 'MathxJoin()'; e.12 = 'MathxJoin(, "x")'; e.13 = 'MathxJoin("s.", "x", "y")'
e.14 = 'MathxJoin("s")'; e.15 = 'MathxJoin("a-b.")'; e.16 = 'MathxJoin("unset.")'
e.17 = 'MathxDropFuncs("x")'; e.18 = 'MathxSplit("a", copies("s", 1024)".")'
e.0 = 18
do i = 1 to e.0
  call check_error40 e.i
end
/* A stem.0 that is no count, and a hole in the list (s.3 is unset). */
n.1 = '2abc'; n.2 = '1.5'; n.3 = '-1'; n.4 = ''; n.5 = '2'||'00'x; n.6 = '1E0'
n.7 = '3'; n.0 = 7
do i = 1 to n.0
  s.0 = n.i
  call check_error40 'MathxJoin("s.")', 'with s.0 =' c2x(n.i)
end

say passed 'passed,' failed 'failed'
exit failed > 0

/* check EXPRESSION, WANTED: the expression's value is exactly WANTED. */
check:
  interpret 'got =' arg(1)
  if got == arg(2) then passed = passed + 1
  else call fail arg(1) 'gave' c2x(got) 'not' c2x(arg(2))
  return

/* check_error40 CALL [, WHEN]: the call raises REXX error 40. */
check_error40:
  signal on syntax name error40
  interpret 'got =' arg(1)
  call fail arg(1) arg(2) 'raised no error'
  return
error40:
  if rc = 40 then passed = passed + 1
  else call fail arg(1) arg(2) 'raised error' rc 'not 40'
  return

fail:
  say 'FAILED:' arg(1)
  failed = failed + 1
  return

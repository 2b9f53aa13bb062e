// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
/*
** rexx_host.h: the REXX interpreter's external-function interface, as a
** package of external functions sees it on Linux.
**
** The interpreter calls every routine that a package exports in the shape
** of RexxRoutine below.  It also offers the services declared after it; a
** package leaves them undefined, so that they bind from the
** interpreter's own process when the package is loaded, and records no
** dependency on an interpreter library.  Layout and types agree with the
** interpreter's rexxsaa.h on every Linux data model: counts and lengths
** are unsigned long, as the interpreter declares them, so they are 64 bits
** wide on x86-64 and arm64 and 32 bits wide on armhf.
*/
#ifndef REXX_HOST_H
#define REXX_HOST_H

#ifdef __cplusplus
extern "C" {
#endif

/* A counted string: arguments and the result travel as these.  The
   interpreter also ends every argument with a NUL. */
typedef struct RXSTRING {
  unsigned long strlength; /* length in bytes, without the NUL */
  char *strptr; /* null: an omitted argument, or a result without value */
} RXSTRING;

/* What a routine or a service returns. */
typedef unsigned long RexxCode;

enum {
  /* The call succeeded, whatever its reply says. */
  REXX_CALL_OK = 0,
  /* The call was incorrect: the interpreter raises REXX error 40
     ("Incorrect call to routine") in the calling program. */
  REXX_INCORRECT_CALL = 40,
  /* Bytes in the buffer that the result record points to on entry. */
  REXX_RESULT_BUFFER_SIZE = 256
};

/* The shape in which the interpreter calls every exported routine: the
   name it was invoked by, the argument count and the first of that many
   argument records, the name of the current data queue, and the result
   record.  On entry the result's strptr points to a buffer of the
   interpreter's, into which the routine writes its reply in place. */
typedef RexxCode RexxRoutine(const char *name, unsigned long argc,
                             RXSTRING *argv, const char *queue,
                             RXSTRING *result);

/* A block of `size` bytes from the interpreter's allocator, or null.  A
   routine whose reply does not fit the result buffer puts it in such a
   block and points the result record at it: the interpreter frees the
   block once it has taken the value. */
void *RexxAllocateMemory(unsigned long size);

/* Gives back a block from RexxAllocateMemory that the interpreter has not
   been handed. */
RexxCode RexxFreeMemory(void *block);

/* One request to the variable pool: RexxVariablePool works through a chain
   of these, linked by next, on the variables of the REXX code that called
   the routine. */
typedef struct SHVBLOCK {
  struct SHVBLOCK *shvnext;  /* the next request, or null */
  RXSTRING shvname;          /* the variable's name */
  RXSTRING shvvalue;         /* the value to set, or the one fetched */
  unsigned long shvnamelen;  /* bytes available for a name fetched */
  unsigned long shvvaluelen; /* bytes available for a value fetched */
  unsigned char shvcode;     /* what to do: a REXX_SHV_ request code */
  unsigned char shvret;      /* how it went: REXX_SHV_ result flags */
} SHVBLOCK;

enum {
  /* Request code: set the variable whose name is given as it is stored,
     in capitals, with a tail taken literally (STEM.1). */
  REXX_SHV_SET = 0x00,
  /* Request code: fetch the variable of that name into shvvalue; with a
     null shvvalue.strptr the interpreter allocates the value, and the
     caller gives it back with RexxFreeMemory. */
  REXX_SHV_FETCH = 0x01,
  /* Result flags, or-ed in shvret and in the return code.  A new variable
     is no failure; a bad name, lack of memory, a bad request code or no
     REXX code running are. */
  REXX_SHV_OK = 0x00,
  REXX_SHV_NEWV = 0x01,
  REXX_SHV_BADN = 0x08,
  REXX_SHV_MEMFL = 0x10,
  REXX_SHV_BADF = 0x80,
  REXX_SHV_NOAVL = 0x90
};

/* Carries out the chain of requests starting at `requests`, and returns
   the or of their shvret flags. */
RexxCode RexxVariablePool(SHVBLOCK *requests);

/* Makes `function` known to the interpreter as the exported symbol `entry`
   of the library that the interpreter finds under the name `module`. */
RexxCode RexxRegisterFunctionDll(const char *function, const char *module,
                                 const char *entry);

/* Removes the registration of `function`. */
RexxCode RexxDeregisterFunction(const char *function);

#ifdef __cplusplus
}
#endif

#endif

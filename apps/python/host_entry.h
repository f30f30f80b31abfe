#pragma once
/* The host library's C entry point: the map control embedded as the
 * command-line host embeds it (apps/quelmar/control_host.h), for programs
 * that cannot use C++ (the Python package loads it with ctypes, which needs
 * neither the Python headers nor a build step of its own, and works with the
 * system's python3 as it is). Every call goes through the control's late
 * binding by member name; the conversions are the control's own.
 *
 * Values cross as qh_value: the type and the one field it uses. Texts are
 * UTF-8. A text a call returns (a result's string, an error, the member
 * list) stays valid until the next call on the same host, except those from
 * qh_members and qh_create's error, which the caller frees with qh_free.
 * Every function that can fail returns an HRESULT (below 0 is a failure) and
 * sets *error to its description. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum qh_type { QH_EMPTY = 0, QH_BOOL = 1, QH_INT = 2, QH_DOUBLE = 3, QH_STRING = 4 };

typedef struct qh_value {
  int32_t type;  /* qh_type */
  int32_t boolean;
  int64_t integer;
  double number;
  const char* text;
} qh_value;

typedef struct qh_host qh_host;

/* Called synchronously for every event the control raises, with its name
 * and arguments; the values live until the callback returns. */
typedef void (*qh_event_fn)(void* user, const char* name, int32_t count, const qh_value* args);

/* Creates the control by its programmatic identifier, width x height
 * pixels, using the data tree `data` (NULL or "": the default tree, if any).
 * On failure *host is NULL and *error (freed with qh_free) says why. */
int32_t qh_create(const char* prog_id, int32_t width, int32_t height, const char* data, qh_event_fn on_event,
                  void* user, qh_host** host, char** error);
void qh_destroy(qh_host* host);

/* A method call or property read; *result holds the value. */
int32_t qh_call(qh_host* host, const char* member, int32_t count, const qh_value* args, qh_value* result,
                const char** error);
/* A property write. */
int32_t qh_put(qh_host* host, const char* member, const qh_value* value, const char** error);
/* One turn of the message loop: the control paints what it invalidated. */
void qh_pump(qh_host* host);

/* The members from the type information, one line each:
 * "name\tkind\tsignature\thelp\n" (kind "method", "get" or "put"). */
char* qh_members(qh_host* host);

/* The control's front buffer as a PNG file, or its size and 0x00BBGGRR
 * pixels (row by row from the top; *pixels valid until the next call). */
int32_t qh_save_png(qh_host* host, const char* path, const char** error);
int32_t qh_image(qh_host* host, int32_t* width, int32_t* height, const uint32_t** pixels, const char** error);

void qh_free(char* text);

#ifdef __cplusplus
}
#endif

#pragma once
/* libquelmar_host.so: a C entry point over the command-line host's own
 * embedding code (app::ControlHost in apps/quelmar/control_host.h), for
 * programs that do not speak C++. It creates the map control by its
 * programmatic identifier through the class registry, sites, sizes and shows
 * it, connects an event sink, and then makes every call by member name
 * through the control's late binding: the control converts the arguments by
 * its own rules, exactly as for `quelmar run`.
 *
 * The Python package (apps/python/quelmar) loads this library with ctypes
 * rather than being a compiled extension module: ctypes comes with the
 * standard library, so neither the Python development headers nor a build
 * step against one Python version is needed, and Debian's python3 works as it
 * is installed.
 *
 * Conventions:
 *  - Every function that can fail returns an HRESULT (below 0 is a failure)
 *    and, on failure, sets *error to a description; *error is NULL on
 *    success. A NULL host fails with E_POINTER.
 *  - Texts are UTF-8 and NUL-terminated.
 *  - Memory: what the library hands out is the caller's and is released with
 *    qh_free: the *error texts, a call's result text (result->text), the
 *    member list and the pixels. The one exception is the event callback's
 *    arguments, which the library owns and which live until the callback
 *    returns. Argument values passed in are only read.
 *  - The event callback runs on the caller's thread, inside the call (or
 *    qh_pump) during which the control raises the event. It may call
 *    qh_call, qh_put and the other functions on the same host, but must not
 *    destroy it. */
#include <stdint.h>

/* Only these functions are exported; the host code inside stays private. */
#define QH_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* The value kinds that cross the boundary. An integer that fits 32 bits goes
 * to the control as a 32-bit integer, a larger one as a double (as a script
 * line's number does); QH_EMPTY passes an empty argument. A result the kinds
 * cannot hold (an object, Null) comes back as QH_OTHER with the text the
 * command-line host prints for it, such as "<dispatch>". */
enum qh_type { QH_EMPTY = 0, QH_BOOL = 1, QH_INT = 2, QH_DOUBLE = 3, QH_STRING = 4, QH_OTHER = 5 };

typedef struct qh_value {
  int32_t type; /* qh_type; the field below that it names holds the value */
  int32_t boolean;
  int64_t integer;
  double number;
  char* text; /* QH_STRING and QH_OTHER */
} qh_value;

typedef struct qh_host qh_host;

/* Called for every event the control raises: its name as the type
 * information gives it ("PaintAfter", "Find") and its arguments in
 * declaration order. */
typedef void (*qh_event_fn)(void* user, const char* name, int32_t count, const qh_value* args);

/* Creates the control `prog_id` at width x height pixels (1 to 16384 each
 * way) and points it at the map data tree `data`, the folder of a MAP.INI
 * (NULL or "": the default tree as `quelmar run` finds it: $QUELMAR_DATA,
 * else ~/.local/share/quelmar/map if it holds one, else none). The start-up
 * paint has happened when it returns. On failure *host is NULL. */
QH_API int32_t qh_create(const char* prog_id, int32_t width, int32_t height, const char* data,
                         qh_event_fn on_event, void* user, qh_host** host, char** error);
/* Disconnects and releases the control. NULL is ignored. */
QH_API void qh_destroy(qh_host* host);

/* A method call or property read by name, with `count` arguments in call
 * order; *result (may be NULL) receives the value, QH_EMPTY for none. */
QH_API int32_t qh_call(qh_host* host, const char* member, int32_t count, const qh_value* args,
                       qh_value* result, char** error);
/* A property write by name. */
QH_API int32_t qh_put(qh_host* host, const char* member, const qh_value* value, char** error);
/* One turn of the message loop: the control paints what it invalidated. */
QH_API int32_t qh_pump(qh_host* host, char** error);

/* The members and events from the control's type information, one a line:
 *   kind \t name \t flags \t signature \t help \n
 * kind is "method", "get", "put" or "event"; flags is "hidden" or empty; the
 * signature reads as `quelmar members` prints it, "ZoomWindow(VARIANT x1,
 * ...)" and " -> type" for a result; help may be empty. Reserved slots,
 * which cannot be called by name, are left out. */
QH_API int32_t qh_members(qh_host* host, char** list, char** error);

/* The control's front buffer, what `quelmar render` writes: as a PNG file,
 * or as its size and width * height * 3 bytes of RGB, rows from the top. */
QH_API int32_t qh_save_png(qh_host* host, const char* path, char** error);
QH_API int32_t qh_image(qh_host* host, int32_t* width, int32_t* height, uint8_t** pixels, char** error);

/* Releases a text or buffer the library handed out. NULL is ignored. */
QH_API void qh_free(void* memory);

#ifdef __cplusplus
}
#endif

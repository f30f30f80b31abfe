"""The map control for Python programs.

    import quelmar
    m = quelmar.Tarvo(width=1024, height=768)
    m.ZoomWindow(-88, 42, -87, 41)
    print(m.LonLeft, m.Distance(-87, 41, -87, 42))
    m.render_png("chicago.png")

The control is created by its programmatic identifier through the class
registry and driven only through its automation interface, as the
command-line host `quelmar` drives it: methods are called and properties read
and written by name, and the control converts the arguments by its own rules.
Booleans, integers, floats and strings pass as they are (None as an empty
argument); results come back as bool, int, float or str, None for no value.
A failed call raises quelmar.Error with the HRESULT and the control's
description. Events call the functions given to on() (or decorated with
@m.event) while the control raises them, before the call that caused them
returns; an exception a handler raises comes out of that call.

The package talks to libquelmar_host.so (beside this file, or the library
$QUELMAR_HOST_LIBRARY names) through ctypes; the class registry is the one
$QUELMAR_REGISTRY names, else the user's.
"""
import ctypes
import inspect
import keyword
import numbers
import os
import struct
import weakref

__all__ = ["Tarvo", "Error", "Opaque", "PROG_ID"]

PROG_ID = "Quelmar50.Tarvo"

_EMPTY, _BOOL, _INT, _DOUBLE, _STRING, _OTHER = range(6)
_INT64 = (-(2**63), 2**63 - 1)  # what qh_value.integer holds


class _Arg(ctypes.Structure):
    """qh_value as the library lends it (event arguments)."""
    _fields_ = [("type", ctypes.c_int32), ("boolean", ctypes.c_int32), ("integer", ctypes.c_int64),
                ("number", ctypes.c_double), ("text", ctypes.c_char_p)]


class _Result(ctypes.Structure):
    """qh_value as a call returns it: the text is ours to free."""
    _fields_ = [("type", ctypes.c_int32), ("boolean", ctypes.c_int32), ("integer", ctypes.c_int64),
                ("number", ctypes.c_double), ("text", ctypes.c_void_p)]


# qh_value packed as bytes: arguments are made this way, several times faster
# than as ctypes structures (a call's cost from Python is mostly its arguments).
_VALUE = struct.Struct("@iiqdP")
_NO_TEXT = 0

_EVENT = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int32, ctypes.POINTER(_Arg))
_ERROR = ctypes.POINTER(ctypes.c_void_p)


class Error(Exception):
    """A failed call: .hresult (a negative int, as the control returns it) and .description."""

    def __init__(self, hresult, description):
        self.hresult = hresult
        self.description = description
        super().__init__("0x%08X: %s" % (hresult & 0xFFFFFFFF, description))


class Opaque:
    """A result Python has no type for here (an object such as Font, or Null):
    .text is what `quelmar run` prints for it, such as "<dispatch>"."""

    def __init__(self, text):
        self.text = text

    def __eq__(self, other):
        return isinstance(other, Opaque) and other.text == self.text

    def __hash__(self):
        return hash(self.text)

    def __str__(self):
        return self.text

    def __repr__(self):
        return "quelmar.Opaque(%r)" % self.text


_lib = None


def _library():
    global _lib
    if _lib is not None:
        return _lib
    path = os.environ.get("QUELMAR_HOST_LIBRARY") or os.path.join(os.path.dirname(__file__), "libquelmar_host.so")
    try:
        lib = ctypes.CDLL(path)
    except OSError as e:
        raise OSError("cannot load the host library %s (%s); $QUELMAR_HOST_LIBRARY names another" % (path, e)) from e
    if (_VALUE.size, struct.calcsize("@iiqd")) != (ctypes.sizeof(_Arg), _Arg.text.offset):
        raise OSError("qh_value's layout differs from the one this package packs")
    host = ctypes.c_void_p
    lib.qh_create.argtypes = [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p, _EVENT,
                              ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p), _ERROR]
    lib.qh_destroy.argtypes = [host]
    lib.qh_destroy.restype = None
    # The arguments go as the bytes of packed qh_values (see _pack).
    lib.qh_call.argtypes = [host, ctypes.c_char_p, ctypes.c_int32, ctypes.c_char_p, ctypes.POINTER(_Result), _ERROR]
    lib.qh_put.argtypes = [host, ctypes.c_char_p, ctypes.c_char_p, _ERROR]
    lib.qh_pump.argtypes = [host, _ERROR]
    lib.qh_members.argtypes = [host, ctypes.POINTER(ctypes.c_void_p), _ERROR]
    lib.qh_save_png.argtypes = [host, ctypes.c_char_p, _ERROR]
    lib.qh_image.argtypes = [host, ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(ctypes.c_int32),
                             ctypes.POINTER(ctypes.c_void_p), _ERROR]
    for fn in (lib.qh_create, lib.qh_call, lib.qh_put, lib.qh_pump, lib.qh_members, lib.qh_save_png, lib.qh_image):
        fn.restype = ctypes.c_int32
    lib.qh_free.argtypes = [ctypes.c_void_p]
    lib.qh_free.restype = None
    _lib = lib
    return lib


def _take_text(lib, pointer):
    """The library's text at `pointer` as str, freeing it."""
    if not pointer:
        return ""
    try:
        return ctypes.string_at(pointer).decode("utf-8", "replace")
    finally:
        lib.qh_free(pointer)


def _pack(x, keep):
    """x as the bytes of a qh_value; a string's bytes go in `keep`, which must outlive the call."""
    pack, kind = _VALUE.pack, type(x)
    if kind is int and _INT64[0] <= x <= _INT64[1]:  # the common kinds first, by their exact type
        return pack(_INT, 0, x, 0.0, _NO_TEXT)
    if kind is float:
        return pack(_DOUBLE, 0, 0, x, _NO_TEXT)
    if x is None:
        return pack(_EMPTY, 0, 0, 0.0, _NO_TEXT)
    if isinstance(x, bool):
        return pack(_BOOL, int(x), 0, 0.0, _NO_TEXT)
    if isinstance(x, str):
        if "\0" in x:
            raise ValueError("a string for the control cannot hold a NUL character")
        text = ctypes.c_char_p(x.encode("utf-8"))
        keep.append(text)
        return pack(_STRING, 0, 0, 0.0, ctypes.cast(text, ctypes.c_void_p).value)
    if isinstance(x, numbers.Integral):
        x = int(x)
        if _INT64[0] <= x <= _INT64[1]:
            return pack(_INT, 0, x, 0.0, _NO_TEXT)
        # As the library sends any integer beyond 32 bits: a double, which the control may refuse.
        return pack(_DOUBLE, 0, 0, float(x), _NO_TEXT)
    if isinstance(x, numbers.Real):
        return pack(_DOUBLE, 0, 0, float(x), _NO_TEXT)
    raise TypeError("the control takes None, booleans, numbers and strings, not %s" % type(x).__name__)


def _from_value(v, text_of):
    """A value as Python's; `text_of` reads its text (borrowed or the caller's to free)."""
    if v.type == _BOOL:
        return bool(v.boolean)
    if v.type == _INT:
        return v.integer
    if v.type == _DOUBLE:
        return v.number
    if v.type == _STRING:
        return text_of(v.text)
    if v.type == _OTHER:
        return Opaque(text_of(v.text))
    return None


def _borrowed_text(text):
    return (text or b"").decode("utf-8", "replace")


def _from_arg(v):
    """An event argument, which the library owns."""
    return _from_value(v, _borrowed_text)


def _python_name(name, taken):
    name = name if name.isidentifier() and not keyword.iskeyword(name) else "arg"
    while name in taken:
        name += "_"
    taken.add(name)
    return name


def _signature(text):
    """inspect.Signature of "Name(type a, type b) -> type", for help()."""
    inside = text[text.find("(") + 1:text.rfind(")")]
    taken = set()
    params = [inspect.Parameter(_python_name(p.split()[-1], taken), inspect.Parameter.POSITIONAL_ONLY)
              for p in inside.split(",") if p.strip()]
    return inspect.Signature(params)


class _Member:
    __slots__ = ("name", "kinds", "hidden", "signature", "help")

    def __init__(self, name):
        self.name, self.kinds, self.hidden, self.signature, self.help = name, set(), False, "", ""

    def doc(self):
        if "method" in self.kinds or "event" in self.kinds:
            text = self.signature
        else:
            access = {frozenset({"get"}): "read-only", frozenset({"put"}): "write-only"}.get(
                frozenset(self.kinds), "read and write")
            text = "%s  (property, %s)" % (self.signature, access)
        return text + ("\n\n" + self.help if self.help else "")


class Tarvo:
    """One map control, hosted without a window of its own.

    Tarvo(width=640, height=480, data=None, prog_id="Quelmar50.Tarvo")

    data is a map data tree, the folder of a MAP.INI; None uses the tree
    `quelmar run` uses ($QUELMAR_DATA, else ~/.local/share/quelmar/map if it
    holds one, else the built-in base map alone). The control starts with
    AutoConfig off: call LoadConfig(path) and SaveConfig(path) to keep its
    settings in a configuration file. Every member of the control
    is an attribute: dir() lists them and describe(name) or help() on a
    method shows its signature."""

    def __init__(self, width=640, height=480, data=None, prog_id=PROG_ID):
        lib = _library()
        state = {"_handle": None, "_closed": True, "_depth": 0, "_pending": None, "_handlers": {},
                 "_members": {}, "_events": {}, "_methods": {}}
        self.__dict__.update(state)
        this = weakref.ref(self)

        def on_event(user, name, count, args):
            control = this()
            if control is not None:
                control._on_event(name, count, args)

        self.__dict__["_callback"] = _EVENT(on_event)  # lives as long as the host
        handle, error = ctypes.c_void_p(), ctypes.c_void_p()
        folder = os.fsencode(data) if data is not None else b""
        hr = lib.qh_create(str(prog_id).encode("utf-8"), int(width), int(height), folder, self._callback, None,
                           ctypes.byref(handle), ctypes.byref(error))
        if hr < 0:
            raise Error(hr, _take_text(lib, error.value))
        self.__dict__.update(_handle=handle.value, _closed=False)
        self._read_members()

    # ---- calls across the library
    def _enter(self):
        if self._closed:
            raise ValueError("the control is closed")
        self.__dict__["_depth"] += 1
        return self._handle

    def _leave(self, hr, error):
        """Ends a library call: a handler's exception comes first, then the call's own failure."""
        lib = _library()
        description = _take_text(lib, error.value) if hr < 0 else ""
        self.__dict__["_depth"] -= 1
        if self._depth == 0 and self._closed and self._handle:
            self._destroy()
        pending = self._pending
        if pending is not None:
            self.__dict__["_pending"] = None
            raise pending
        if hr < 0:
            raise Error(hr, description)

    def _call(self, name, args):
        lib = _library()
        member, keep = name.encode("utf-8"), []
        values = b"".join([_pack(a, keep) for a in args]) if args else None
        result, error = _Result(), ctypes.c_void_p()
        handle = self._enter()
        hr = lib.qh_call(handle, member, len(args), values, ctypes.byref(result), ctypes.byref(error))
        value = self._result(lib, result)
        self._leave(hr, error)
        return value

    @staticmethod
    def _result(lib, v):
        return _from_value(v, lambda text: _take_text(lib, text))

    def call(self, member, *args):
        """Calls a method or reads a property by its name, whatever the control's type information says."""
        return self._call(member, args)

    def put(self, member, value):
        """Writes a property by its name."""
        lib = _library()
        name, keep, error = member.encode("utf-8"), [], ctypes.c_void_p()
        packed = _pack(value, keep)
        handle = self._enter()
        hr = lib.qh_put(handle, name, packed, ctypes.byref(error))
        self._leave(hr, error)

    # ---- members by name
    def _read_members(self):
        lib = _library()
        listing, error = ctypes.c_void_p(), ctypes.c_void_p()
        hr = lib.qh_members(self._enter(), ctypes.byref(listing), ctypes.byref(error))
        text = _take_text(lib, listing.value)
        self._leave(hr, error)
        for line in text.splitlines():
            kind, name, flags, signature, help_text = (line.split("\t") + [""] * 5)[:5]
            table = self._events if kind == "event" else self._members
            member = table.setdefault(name.lower(), _Member(name))
            member.kinds.add(kind)
            member.hidden = member.hidden or flags == "hidden"
            if kind != "put" or not member.signature:
                member.signature = signature
            member.help = member.help or help_text

    def _method(self, member):
        fn = self._methods.get(member.name)
        if fn is None:
            name, this = member.name, weakref.ref(self)

            def fn(*args):
                control = this()
                if control is None:
                    raise ValueError("the control is gone")
                return control._call(name, args)

            fn.__name__ = fn.__qualname__ = name
            fn.__doc__ = member.doc()
            fn.__signature__ = _signature(member.signature)
            self._methods[name] = fn
        return fn

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        member = self._members.get(name.lower())
        if member is None:
            raise AttributeError("the control has no member %s" % name)
        if "method" in member.kinds:
            return self._method(member)
        return self._call(member.name, ())

    def __setattr__(self, name, value):
        member = None if name.startswith("_") else self._members.get(name.lower())
        if member is None:
            raise AttributeError("the control has no member %s" % name)
        self.put(member.name, value)

    def __dir__(self):
        return sorted(set(object.__dir__(self)) | {m.name for m in self._members.values()})

    def describe(self, name):
        """A member's or an event's signature and help text, from the type information."""
        member = self._members.get(name.lower()) or self._events.get(name.lower())
        if member is None:
            raise AttributeError("the control has no member or event %s" % name)
        return member.doc()

    @property
    def events(self):
        """The names of the events the control raises."""
        return sorted(e.name for e in self._events.values())

    # ---- events
    def on(self, event, handler):
        """Calls handler(*args) each time the control raises `event`; for "*",
        handler(name, *args) for every event. Returns the handler."""
        if event != "*" and event.lower() not in self._events:
            raise ValueError("the control raises no event %s (it raises %s)" % (event, ", ".join(self.events)))
        self._handlers.setdefault(event.lower(), []).append(handler)
        return handler

    def off(self, event, handler):
        """Stops calling a handler given to on() for `event`."""
        handlers = self._handlers.get(event.lower(), [])
        if handler not in handlers:
            raise ValueError("%r does not handle %s" % (handler, event))
        handlers.remove(handler)

    def event(self, handler):
        """A decorator: the function's name is the event's (def Find(): ...)."""
        return self.on(handler.__name__, handler)

    def _on_event(self, name, count, args):
        if self._pending is not None:  # a handler failed: the rest of the call runs without handlers
            return
        event = name.decode("utf-8", "replace")
        handlers = self._handlers.get(event.lower(), ())
        every = self._handlers.get("*", ())
        if not handlers and not every:
            return
        values = [_from_arg(args[i]) for i in range(count)]
        try:
            for handler in list(handlers):
                handler(*values)
            for handler in list(every):
                handler(event, *values)
        except BaseException as e:  # raised again when the call that raised the event returns
            self.__dict__["_pending"] = e

    # ---- the picture
    def pump(self):
        """One turn of the message loop: the control paints what it invalidated."""
        error = ctypes.c_void_p()
        hr = _library().qh_pump(self._enter(), ctypes.byref(error))
        self._leave(hr, error)

    def render_png(self, path):
        """Writes what the control shows as a PNG file (set BevelOuter = 0 for the map without the panel's bevel)."""
        file, error = os.fsencode(path), ctypes.c_void_p()
        handle = self._enter()
        hr = _library().qh_save_png(handle, file, ctypes.byref(error))
        self._leave(hr, error)

    def image(self):
        """(width, height, pixels): what the control shows, pixels as bytes of RGB, rows from the top."""
        lib = _library()
        width, height, pixels, error = ctypes.c_int32(), ctypes.c_int32(), ctypes.c_void_p(), ctypes.c_void_p()
        hr = lib.qh_image(self._enter(), ctypes.byref(width), ctypes.byref(height), ctypes.byref(pixels),
                          ctypes.byref(error))
        data = b""
        if pixels.value:
            try:
                data = ctypes.string_at(pixels.value, width.value * height.value * 3)
            finally:
                lib.qh_free(pixels.value)
        self._leave(hr, error)
        return width.value, height.value, data

    # ---- lifetime
    def _destroy(self):
        handle = self._handle
        self.__dict__["_handle"] = None
        if handle and _lib is not None:
            _lib.qh_destroy(handle)

    def close(self):
        """Releases the control; inside an event handler, once the call that raised the event returns."""
        self.__dict__["_closed"] = True
        if self._depth == 0:
            self._destroy()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        if self.__dict__.get("_handle"):
            self.close()

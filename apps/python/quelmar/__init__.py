"""The map control for Python programs.

    import quelmar
    m = quelmar.Tarvo(width=1024, height=768)
    m.ZoomWindow(-88, 42, -87, 41)
    print(m.LonLeft, m.Distance(-87, 41, -87, 42))
    m.render_png("chicago.png")

The control is created by its programmatic identifier through the class
registry and driven only through its automation interface: members are
called and properties read and written by name, with booleans, numbers and
strings passed as they are. A failed call raises quelmar.Error with the
HRESULT and the control's description. Events call the functions given to
on() (or decorated with @m.event) while the control raises them.

The package talks to the host library (libquelmar_host.so, beside this file,
or $QUELMAR_HOST_LIBRARY) through ctypes: the conversions are the control's.
"""
import ctypes
import os

__all__ = ["Tarvo", "Error", "PROG_ID"]

PROG_ID = "Quelmar50.Tarvo"

_EMPTY, _BOOL, _INT, _DOUBLE, _STRING = range(5)


class _Value(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int32), ("boolean", ctypes.c_int32), ("integer", ctypes.c_int64),
                ("number", ctypes.c_double), ("text", ctypes.c_char_p)]


_EVENT = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int32, ctypes.POINTER(_Value))


class Error(Exception):
    """A failed call: .hresult (a negative int) and .description."""

    def __init__(self, hresult, description):
        self.hresult = hresult
        self.description = description
        super().__init__("0x%08X: %s" % (hresult & 0xFFFFFFFF, description))


def _library():
    path = os.environ.get("QUELMAR_HOST_LIBRARY") or os.path.join(os.path.dirname(__file__), "libquelmar_host.so")
    lib = ctypes.CDLL(path)
    lib.qh_create.argtypes = [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p, _EVENT,
                              ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_void_p)]
    lib.qh_create.restype = ctypes.c_int32
    lib.qh_destroy.argtypes = [ctypes.c_void_p]
    lib.qh_call.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int32, ctypes.POINTER(_Value),
                            ctypes.POINTER(_Value), ctypes.POINTER(ctypes.c_char_p)]
    lib.qh_call.restype = ctypes.c_int32
    lib.qh_put.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.POINTER(_Value), ctypes.POINTER(ctypes.c_char_p)]
    lib.qh_put.restype = ctypes.c_int32
    lib.qh_pump.argtypes = [ctypes.c_void_p]
    lib.qh_members.argtypes = [ctypes.c_void_p]
    lib.qh_members.restype = ctypes.c_void_p
    lib.qh_save_png.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.POINTER(ctypes.c_char_p)]
    lib.qh_save_png.restype = ctypes.c_int32
    lib.qh_image.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(ctypes.c_int32),
                             ctypes.POINTER(ctypes.POINTER(ctypes.c_uint32)), ctypes.POINTER(ctypes.c_char_p)]
    lib.qh_image.restype = ctypes.c_int32
    lib.qh_free.argtypes = [ctypes.c_void_p]
    return lib


_lib = None


def _lib_once():
    global _lib
    if _lib is None:
        _lib = _library()
    return _lib


def _to_value(x):
    v = _Value()
    if x is None:
        v.type = _EMPTY
    elif isinstance(x, bool):
        v.type, v.boolean = _BOOL, int(x)
    elif isinstance(x, int):
        v.type, v.integer = _INT, x
    elif isinstance(x, float):
        v.type, v.number = _DOUBLE, x
    elif isinstance(x, str):
        v.type, v.text = _STRING, x.encode("utf-8")
    else:
        raise TypeError("the control takes booleans, numbers and strings, not %s" % type(x).__name__)
    return v


def _from_value(v):
    if v.type == _BOOL:
        return bool(v.boolean)
    if v.type == _INT:
        return v.integer
    if v.type == _DOUBLE:
        return v.number
    if v.type == _STRING:
        return (v.text or b"").decode("utf-8", "replace")
    return None


def _method(control, name, signature, help_text):
    """A method of the control as a Python function, so that help() shows its signature."""
    def call(*args):
        return control._call(name, args)
    call.__name__ = call.__qualname__ = name
    call.__doc__ = signature + ("\n\n" + help_text if help_text else "")
    return call


class Tarvo:
    """One map control, hosted without a window of its own."""

    def __init__(self, width=640, height=480, data=None, prog_id=PROG_ID):
        lib = _lib_once()
        object.__setattr__(self, "_handlers", {})
        object.__setattr__(self, "_callback", _EVENT(self._dispatch_event))
        host = ctypes.c_void_p()
        error = ctypes.c_void_p()
        hr = lib.qh_create(prog_id.encode(), width, height, (data or "").encode(), self._callback, None,
                           ctypes.byref(host), ctypes.byref(error))
        if hr < 0 or not host.value:
            text = ctypes.string_at(error.value).decode("utf-8", "replace") if error.value else "cannot create"
            if error.value:
                lib.qh_free(error.value)
            raise Error(hr, text)
        object.__setattr__(self, "_host", host)
        object.__setattr__(self, "_members", self._read_members())

    # ---- members by name
    def _read_members(self):
        lib = _lib_once()
        raw = lib.qh_members(self._host)
        text = ctypes.string_at(raw).decode("utf-8", "replace") if raw else ""
        if raw:
            lib.qh_free(raw)
        members = {}
        for line in text.splitlines():
            name, kind, signature, help_text = (line.split("\t") + ["", "", ""])[:4]
            entry = members.setdefault(name.lower(), {"name": name, "kinds": set(), "signature": signature,
                                                      "help": help_text})
            entry["kinds"].add(kind)
            if kind != "put":
                entry["signature"] = signature
        return members

    def _call(self, name, args):
        lib = _lib_once()
        values = (_Value * max(1, len(args)))(*[_to_value(a) for a in args])
        result = _Value()
        error = ctypes.c_char_p()
        hr = lib.qh_call(self._host, name.encode(), len(args), values, ctypes.byref(result), ctypes.byref(error))
        if hr < 0:
            raise Error(hr, (error.value or b"").decode("utf-8", "replace"))
        return _from_value(result)

    def call(self, member, *args):
        """Calls a method or reads a property by its name."""
        found = self._members.get(member.lower())
        return self._call(found["name"] if found else member, args)

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        member = self._members.get(name.lower())
        if member is None:
            raise AttributeError("the control has no member %s" % name)
        if member["kinds"] & {"method"}:
            return _method(self, member["name"], member["signature"], member["help"])
        return self._call(member["name"], ())

    def __setattr__(self, name, value):
        if name.startswith("_"):
            object.__setattr__(self, name, value)
            return
        member = self._members.get(name.lower())
        if member is None or "put" not in member["kinds"]:
            raise AttributeError("the control has no property %s to write" % name)
        lib = _lib_once()
        v = _to_value(value)
        error = ctypes.c_char_p()
        hr = lib.qh_put(self._host, member["name"].encode(), ctypes.byref(v), ctypes.byref(error))
        if hr < 0:
            raise Error(hr, (error.value or b"").decode("utf-8", "replace"))

    def __dir__(self):
        return sorted(set(object.__dir__(self)) | {m["name"] for m in self._members.values()})

    def describe(self, name):
        """The member's signature and help text, from the type information."""
        member = self._members.get(name.lower())
        if member is None:
            raise AttributeError("the control has no member %s" % name)
        return member["signature"] + ("\n\n" + member["help"] if member["help"] else "")

    # ---- events
    def on(self, event, handler):
        """Calls handler(*args) each time the control raises `event`; for "*",
        handler(name, *args) for every event."""
        self._handlers.setdefault(event.lower(), []).append(handler)
        return handler

    def event(self, handler):
        """A decorator: the function's name is the event's (def Find(): ...)."""
        return self.on(handler.__name__, handler)

    def _dispatch_event(self, _user, name, count, args):
        event = name.decode()
        handlers = self._handlers.get(event.lower(), [])
        every = self._handlers.get("*", [])
        if not handlers and not every:
            return
        values = [_from_value(args[i]) for i in range(count)]
        for handler in list(handlers):
            handler(*values)
        for handler in list(every):
            handler(event, *values)

    # ---- images
    def pump(self):
        """One turn of the message loop: the control paints what it invalidated."""
        _lib_once().qh_pump(self._host)

    def render_png(self, path):
        """Writes the control's picture as a PNG file."""
        error = ctypes.c_char_p()
        hr = _lib_once().qh_save_png(self._host, os.fspath(path).encode(), ctypes.byref(error))
        if hr < 0:
            raise Error(hr, (error.value or b"").decode("utf-8", "replace"))

    def image(self):
        """(width, height, pixels): the picture's size and its 0x00BBGGRR pixels, top row first."""
        w, h = ctypes.c_int32(), ctypes.c_int32()
        pixels = ctypes.POINTER(ctypes.c_uint32)()
        error = ctypes.c_char_p()
        hr = _lib_once().qh_image(self._host, ctypes.byref(w), ctypes.byref(h), ctypes.byref(pixels),
                                  ctypes.byref(error))
        if hr < 0:
            raise Error(hr, (error.value or b"").decode("utf-8", "replace"))
        return w.value, h.value, list(pixels[: w.value * h.value])

    def close(self):
        host = self.__dict__.get("_host")
        if host:
            _lib_once().qh_destroy(host)
            object.__setattr__(self, "_host", None)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:
            pass

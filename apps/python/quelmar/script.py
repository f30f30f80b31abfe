"""Runs `quelmar run` scripts through the Python package and prints what the
command-line host prints, so that a script gives the same output either way.

    python3 -m quelmar.script [SCRIPT|-] [--data TREE] [--size WxH]

Lines: "Member arg, arg ..." calls a method or reads a property and prints
"Member -> value"; "Member = value" writes a property; "#" starts a comment.
Arguments are numbers, "quoted strings" ("" inside is one quote) and
True/False; commas between them are optional. Every event the control raises
prints as "event Name(arg, ...)", a failed call as "error 0xHHHHHHHH:
description"; the exit status is 1 when a line failed.

The line language and the printing follow apps/quelmar/script_parser.cpp and
FormatValue in apps/quelmar/script_runner.cpp: an integer that fits 32 bits
is an int, any other number a float (finite, and not a nonzero number too
small to hold); floats print with 15 significant digits and an upper-case
exponent, as the control's hosts print them.
"""
import re
import sys

import quelmar

_INT = re.compile(r"-?[0-9]+\Z")
# What a number in the C locale looks like once one leading "+" is dropped.
_FLOAT = re.compile(r"-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][-+]?[0-9]+)?\Z")
_NAME_CHARS = frozenset("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_")
_BLANKS = " \t\r"
_TOKEN_END = ", \t#\r\0"

# What a handler reads inside each search event, printed under it.
_EVENT_TEXTS = {"Find": ("Street", "MatchInfo"), "FindPlace": ("result",)}


def format_value(value):
    """A value as `quelmar run` prints it."""
    if value is None:
        return "Empty"
    if isinstance(value, bool):
        return "True" if value else "False"
    if isinstance(value, float):
        return ("%.15g" % (value if value != 0 else 0.0)).replace("e", "E")
    if isinstance(value, str):
        return '"' + value.replace('"', '""') + '"'
    return str(value)


def _number(token):
    if _INT.match(token):
        value = int(token)
        if -(2**31) <= value < 2**31:
            return value
    text = token[1:] if token.startswith("+") else token
    if not _FLOAT.match(text):
        return None
    value = float(text)
    mantissa = text.lower().split("e")[0]
    if value in (float("inf"), float("-inf")) or (value == 0 and mantissa.strip("-.0")):
        return None  # beyond a double, or so small that it would read as zero
    return value


def parse_line(text):
    """(member, is_put, args), None for a blank or comment line; ValueError with the message for a bad line."""
    pos, n = 0, len(text)

    def skip_blanks():
        nonlocal pos
        while pos < n and text[pos] in _BLANKS:
            pos += 1

    def at_end():
        skip_blanks()
        return pos >= n or text[pos] == "#"

    if at_end():
        return None
    start = pos
    while pos < n and text[pos] in _NAME_CHARS:
        pos += 1
    member = text[start:pos]
    if not member:
        raise ValueError("a line must start with a member name")
    skip_blanks()
    is_put = pos < n and text[pos] == "="
    if is_put:
        pos += 1
        if at_end():
            raise ValueError('"%s =" needs a value' % member)
    args = []
    first = True
    while not at_end():
        if not first and text[pos] == ",":
            pos += 1
            if at_end():
                raise ValueError("an argument is missing after the last comma")
        first = False
        if text[pos] == '"':
            pos += 1
            value = []
            while True:
                if pos >= n:
                    raise ValueError("unterminated string")
                c = text[pos]
                pos += 1
                if c == '"':
                    if pos < n and text[pos] == '"':  # a doubled quote stands for one quote
                        value.append('"')
                        pos += 1
                        continue
                    break
                value.append(c)
            args.append("".join(value))
            continue
        start = pos
        while pos < n and text[pos] not in _TOKEN_END:
            pos += 1
        token = text[start:pos]
        if token.lower() in ("true", "false"):
            args.append(token.lower() == "true")
            continue
        number = _number(token)
        if number is None:
            raise ValueError('"%s" is not a number, a quoted string, True or False' % token)
        args.append(number)
    if is_put and len(args) != 1:
        raise ValueError('"%s =" takes exactly one value' % member)
    return member, is_put, args


def split_lines(text):
    """The lines as the command-line host reads them: split at newlines only."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def run(control, lines, out):
    """Runs the lines against `control`, printing results, events and errors; returns the lines that failed."""
    def on_event(name, *args):
        out.write("event %s(%s)\n" % (name, ", ".join(format_value(a) for a in args)))
        for prop in _EVENT_TEXTS.get(name, ()):
            try:
                out.write("  %s -> %s\n" % (prop, format_value(control.call(prop))))
            except quelmar.Error:
                pass

    control.on("*", on_event)
    failures = 0
    for number, text in enumerate(lines, 1):
        try:
            parsed = parse_line(text)
        except ValueError as e:
            out.write("error: line %d: %s\n" % (number, e))
            failures += 1
            continue
        if parsed is None:
            continue
        member, is_put, args = parsed
        try:
            if is_put:
                control.put(member, args[0])
            else:
                value = control.call(member, *args)
                if value is not None:
                    out.write("%s -> %s\n" % (member, format_value(value)))
        except quelmar.Error as e:
            out.write("error 0x%08X: %s\n" % (e.hresult & 0xFFFFFFFF, e.description))
            failures += 1
        out.flush()
    return failures


def main(argv):
    import argparse
    parser = argparse.ArgumentParser(prog="python3 -m quelmar.script",
                                     description="Run a quelmar run script through the Python package")
    parser.add_argument("script", nargs="?", default="-", help="script file, or - for standard input")
    parser.add_argument("--data", default=None, help="the map data tree (folder of MAP.INI)")
    parser.add_argument("--size", default="640x480", help="size of the control, WxH pixels")
    args = parser.parse_args(argv)
    size = re.fullmatch(r"([0-9]+)x([0-9]+)", args.size)
    if not size:
        parser.error('--size must be WxH, not "%s"' % args.size)
    try:
        # Bytes, so that a carriage return stays where it is, as the host reads it.
        if args.script == "-":
            data = sys.stdin.buffer.read()
        else:
            with open(args.script, "rb") as f:
                data = f.read()
    except OSError as e:
        print("%s: cannot open %s: %s" % (parser.prog, args.script, e.strerror), file=sys.stderr)
        return 2
    try:
        control = quelmar.Tarvo(width=int(size[1]), height=int(size[2]), data=args.data)
    except quelmar.Error as e:
        print("%s: %s" % (parser.prog, e.description), file=sys.stderr)
        return 1
    with control:
        return 0 if run(control, split_lines(data.decode("utf-8", "replace")), sys.stdout) == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

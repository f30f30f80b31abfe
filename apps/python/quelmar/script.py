"""Runs `quelmar run` scripts through the Python package, printing what the
command-line host prints, so a script gives the same output either way.

    python3 -m quelmar.script SCRIPT [--data TREE] [--size WxH]

Lines: "Member arg, arg ..." calls a method or reads a property,
"Member = value" writes one, "# ..." is a comment. Arguments are numbers,
"quoted strings" ("" inside is one quote) and True/False; commas are optional.
"""
import sys

import quelmar

# What a handler reads inside each search event.
_EVENT_TEXTS = {"find": ("Street", "MatchInfo"), "findplace": ("result",)}


def format_value(value):
    if isinstance(value, bool):
        return "True" if value else "False"
    if isinstance(value, float):
        return "%.15g" % value
    if isinstance(value, str):
        return '"' + value.replace('"', '""') + '"'
    return str(value)


def parse_line(text):
    """(member, is_put, args) or None for a blank or comment line; ValueError for a bad line."""
    text = text.strip()
    if not text or text.startswith("#"):
        return None
    i, n = 0, len(text)
    while i < n and (text[i].isalnum() or text[i] == "_"):
        i += 1
    member = text[:i]
    if not member:
        raise ValueError("a line begins with a member name")
    rest = text[i:].strip()
    is_put = rest.startswith("=")
    if is_put:
        rest = rest[1:].strip()
    args = []
    j = 0
    while j < len(rest):
        c = rest[j]
        if c in " ,\t":
            j += 1
            continue
        if c == '"':
            value, j = [], j + 1
            while True:
                if j >= len(rest):
                    raise ValueError("a string is not closed")
                if rest[j] == '"':
                    if j + 1 < len(rest) and rest[j + 1] == '"':
                        value.append('"')
                        j += 2
                        continue
                    j += 1
                    break
                value.append(rest[j])
                j += 1
            args.append("".join(value))
            continue
        k = j
        while k < len(rest) and rest[k] not in " ,\t":
            k += 1
        word = rest[j:k]
        j = k
        if word.lower() in ("true", "false"):
            args.append(word.lower() == "true")
        else:
            try:
                args.append(int(word))
            except ValueError:
                args.append(float(word))
    if is_put and len(args) != 1:
        raise ValueError("a property takes one value")
    return member, is_put, args


def run(control, lines, out):
    """Runs the lines against `control`, printing results, events and errors; returns the failures."""
    def on_event(name, *args):
        out.write("event %s(%s)\n" % (name, ", ".join(format_value(a) for a in args)))
        for prop in _EVENT_TEXTS.get(name.lower(), ()):
            try:
                out.write("  %s -> %s\n" % (prop, format_value(getattr(control, prop))))
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
                setattr(control, member, args[0])
            else:
                value = control.call(member, *args)
                if value is not None:
                    out.write("%s -> %s\n" % (member, format_value(value)))
        except quelmar.Error as e:
            out.write("error 0x%08X: %s\n" % (e.hresult & 0xFFFFFFFF, e.description))
            failures += 1
        except AttributeError as e:
            out.write("error: line %d: %s\n" % (number, e))
            failures += 1
    return failures


def main(argv):
    import argparse
    parser = argparse.ArgumentParser(prog="python3 -m quelmar.script")
    parser.add_argument("script")
    parser.add_argument("--data", default=None)
    parser.add_argument("--size", default="640x480")
    args = parser.parse_args(argv)
    width, height = (int(v) for v in args.size.split("x"))
    with open(args.script) if args.script != "-" else sys.stdin as f:
        lines = f.read().splitlines()
    with quelmar.Tarvo(width=width, height=height, data=args.data) as control:
        return 0 if run(control, lines, sys.stdout) == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

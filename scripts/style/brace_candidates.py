"""Lists the translation units clang-tidy has to read for the braces check: those whose file, or a header they
include, holds an if/else/for/while/do whose body does not start with a brace. A quick look at the text, so that
the slow parse is spent only where a fault may be; clang-tidy then decides.

Usage: brace_candidates.py ROOT UNIT_LIST FILE...  (UNIT_LIST: the .cpp files clang-tidy can compile, one a line)
Prints the units to check, sorted, one a line.
"""
import os
import re
import sys

TOKEN = re.compile(r'[A-Za-z_]\w*|\S')
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def strip(text):
    """The text without comments, literals and preprocessor lines; line breaks kept."""
    out = []
    i, n = 0, len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c == '#':
            while i < n and text[i] != '\n':
                if text[i] == '\\' and i + 1 < n and text[i + 1] == '\n':
                    out.append('\n')
                    i += 2
                    continue
                i += 1
            continue
        if c == '\n':
            at_line_start = True
            out.append(c)
            i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith('//', i):
            while i < n and text[i] != '\n':
                i += 1
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            out.append('\n' * text.count('\n', i, end))
            i = end
        elif c == 'R' and text.startswith('"', i + 1) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            open_paren = text.find('(', i + 2)
            delim = text[i + 2:open_paren]
            end = text.find(')' + delim + '"', open_paren)
            end = n if end < 0 else end + len(delim) + 2
            out.append(' 0 ' + '\n' * text.count('\n', i, end))
            i = end
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(' 0 ')
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def has_candidate(text):
    tokens = TOKEN.findall(strip(text))
    for k, t in enumerate(tokens):
        if t in ('if', 'for', 'while', 'switch'):
            j = k + 1
            if j < len(tokens) and tokens[j] == 'constexpr':
                j += 1
            if j >= len(tokens) or tokens[j] != '(':
                continue
            depth = 0
            while j < len(tokens):
                if tokens[j] == '(':
                    depth += 1
                elif tokens[j] == ')':
                    depth -= 1
                    if depth == 0:
                        break
                j += 1
            following = tokens[j + 1] if j + 1 < len(tokens) else '{'
            if t == 'while' and following == ';':
                continue  # the end of a do-while
            if following != '{':
                return True
        elif t == 'else':
            if k + 1 < len(tokens) and tokens[k + 1] not in ('{', 'if'):
                return True
        elif t == 'do':
            if k + 1 < len(tokens) and tokens[k + 1] != '{':
                return True
    return False


def main():
    root, unit_list, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    units = set(open(unit_list).read().split())
    tracked = set(files)
    includers = {}
    for f in files:
        text = open(os.path.join(root, f), encoding='utf-8', errors='replace').read()
        for inc in INCLUDE.findall(text):
            for base in (os.path.dirname(f), 'src', 'tests', 'bench'):
                path = os.path.normpath(os.path.join(base, inc))
                if path in tracked:
                    includers.setdefault(path, []).append(f)
                    break
    chosen = set()
    for f in files:
        text = open(os.path.join(root, f), encoding='utf-8', errors='replace').read()
        if not has_candidate(text):
            continue
        # The first unit (in sorted order) that reaches the file.
        seen, frontier = {f}, [f]
        found = None
        while frontier and found is None:
            nxt = []
            for g in sorted(frontier):
                if os.path.join(root, g) in units:
                    found = g
                    break
                for h in includers.get(g, []):
                    if h not in seen:
                        seen.add(h)
                        nxt.append(h)
            frontier = nxt
        if found is not None:
            chosen.add(os.path.join(root, found))
    print('\n'.join(sorted(chosen)))


main()

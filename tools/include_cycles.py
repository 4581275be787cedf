#!/usr/bin/env python3
"""Reports include cycles between source files.

A file's header and implementation (x.h and x.cpp) count as one node; an edge runs from a node to
every node whose header it includes. Every group of nodes that reach each other is printed with one
cycle through it. Exits 1 when there is a cycle. Run from the source root:
    python3 tools/include_cycles.py
"""
import os
import re
import sys

FOLDERS = ["foundation", "astro", "propagation", "core", "app/glue", "app/render", "app/shell", "dialogs", "tools/orbika-cli"]
# Folders searched for a header named without a folder, after the including file's own folder.
BARE_SEARCH = ["app/shell", "app/render", "dialogs"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def nodes():
    """Maps each node (path without extension) to its files."""
    found = {}
    for folder in FOLDERS:
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            stem, ext = os.path.splitext(name)
            if ext in (".h", ".cpp"):
                found.setdefault(os.path.join(folder, stem), []).append(os.path.join(folder, name))
    return found


def resolve(including, target):
    """The node of the header target included from the file including, or None."""
    candidates = [os.path.join(os.path.dirname(including), target), target]
    candidates += [os.path.join(folder, target) for folder in BARE_SEARCH]
    for path in candidates:
        if os.path.isfile(path):
            return os.path.splitext(os.path.normpath(path))[0]
    return None


def edges(found):
    graph = {node: set() for node in found}
    for node, files in found.items():
        for path in files:
            with open(path, encoding="utf-8", errors="replace") as f:
                for target in INCLUDE.findall(f.read()):
                    other = resolve(path, target)
                    if other in graph and other != node:
                        graph[node].add(other)
    return graph


def components(graph):
    """Strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on_stack, result = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in sorted(graph[v]):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                result.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return result


def cycle_through(graph, group):
    """One cycle from the group's first node back to it, inside the group."""
    start, members = group[0], set(group)
    paths, seen = [[start]], {start}
    while paths:
        path = paths.pop(0)
        for w in sorted(graph[path[-1]]):
            if w == start:
                return path + [start]
            if w in members and w not in seen:
                seen.add(w)
                paths.append(path + [w])
    return group


def main():
    graph = edges(nodes())
    groups = components(graph)
    for group in groups:
        print(f"{len(group)} files in a cycle: " + " -> ".join(cycle_through(graph, group)))
    print(f"{len(groups)} include cycles")
    return 1 if groups else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Reads the program's accessible tree from the accessibility bus, as a
screen reader does (python3-pyatspi; run with the system's python3).

  accessible_tool.py check PID EXPR     print EXPR over the tree of the
                                        program with that process id
  accessible_tool.py act PID ROLE NAME  run the first action of the first
                                        node with that role and name
  accessible_tool.py dump PID           print the tree, one node a line

EXPR sees `node(role, name)` (the first such node or None), `nodes(role)`,
and for a node n: n['name'], n['role'], n['states'], n['text'],
n['extents'] (screen x, y, w, h), n['actions'], n['children'].
The web pages' own content is left out: WebKit tells it itself.
"""
import sys
import time

import pyatspi

SKIP_BELOW = {"document web", "document frame"}


def application(pid):
    deadline = time.time() + 20
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    sys.exit("no application with process id %d on the accessibility bus" % pid)


def read(obj, depth=0):
    role = obj.getRoleName()
    node = {"role": role, "name": obj.name or "", "states": [], "text": None,
            "extents": None, "actions": [], "children": [], "object": obj}
    states = obj.getState()
    node["states"] = [pyatspi.stateToString(s) for s in states.getStates()]
    try:
        e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        node["extents"] = (e.x, e.y, e.width, e.height)
    except NotImplementedError:
        pass
    try:
        text = obj.queryText()
        node["text"] = text.getText(0, text.characterCount)
    except NotImplementedError:
        pass
    try:
        action = obj.queryAction()
        node["actions"] = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        pass
    if role not in SKIP_BELOW and depth < 40:
        for i in range(obj.childCount):
            child = obj.getChildAtIndex(i)
            if child is not None:
                node["children"].append(read(child, depth + 1))
    return node


def flatten(node):
    yield node
    for child in node["children"]:
        yield from flatten(child)


def tree(pid):
    return read(application(pid))


def main():
    cmd, pid = sys.argv[1], int(sys.argv[2])
    root = tree(pid)
    every = list(flatten(root))

    def nodes(role):
        return [n for n in every if n["role"] == role]

    def node(role, name):
        return next((n for n in every if n["role"] == role and n["name"] == name), None)

    if cmd == "check":
        print(eval(sys.argv[3], {"node": node, "nodes": nodes, "root": root}))
    elif cmd == "act":
        target = node(sys.argv[3], sys.argv[4])
        if target is None:
            sys.exit("no %s named %s" % (sys.argv[3], sys.argv[4]))
        print(target["object"].queryAction().doAction(0))
    elif cmd == "dump":
        def show(n, depth):
            print("%s[%s] %r %s %s" % ("  " * depth, n["role"], n["name"],
                                       ",".join(n["states"]), "" if n["text"] is None else repr(n["text"])))
            for c in n["children"]:
                show(c, depth + 1)
        show(root, 0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

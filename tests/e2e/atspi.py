#!/usr/bin/python3
# What a screen reader learns of korvane over AT-SPI. "watch" says "listening", then prints,
# as it comes, each notification that becomes showing, with its name; "query <pid>" prints the names of the
# program's notification and of what labels its text field.
import sys

import pyatspi


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(event):
    if event.detail1 and event.source.getRoleName() == "notification":
        print("showing", event.source.name, flush=True)


if sys.argv[1] == "watch":
    pyatspi.Registry.registerEventListener(showing, "object:state-changed:showing")
    print("listening", flush=True)
    pyatspi.Registry.start()
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.get_process_id() == int(sys.argv[2]):
        for node in walk(app):
            if node.getRoleName() == "notification":
                print("notification", repr(node.name))
            for relation in node.getRelationSet() if node.getRoleName() == "text" else []:
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                    print("labelled", relation.getTarget(0).name)

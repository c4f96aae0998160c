#!/usr/bin/env python3
"""Fails when a target compiles a source that lies outside the folder declaring it.

Asks CMake's file API for the code model of the build folder given (cmake runs there
once more to answer): for each target, the folder of its CMakeLists.txt and the sources
it compiles. Sources generated in the build folder are the target's own.
"""
import json
import os
import subprocess
import sys

cmake, build = sys.argv[1], os.path.abspath(sys.argv[2])
query = os.path.join(build, ".cmake", "api", "v1", "query", "codemodel-v2")
os.makedirs(os.path.dirname(query), exist_ok=True)
open(query, "w").close()
subprocess.run([cmake, build], check=True, stdout=subprocess.DEVNULL)
reply = os.path.join(build, ".cmake", "api", "v1", "reply")
index_name = max(name for name in os.listdir(reply) if name.startswith("index-"))
index = json.load(open(os.path.join(reply, index_name)))
codemodel_file = next(
    entry["jsonFile"] for entry in index["objects"] if entry["kind"] == "codemodel")
codemodel = json.load(open(os.path.join(reply, codemodel_file)))
source_root = codemodel["paths"]["source"]

strays = []
targets = 0
for configuration in codemodel["configurations"]:
    folders = [d["source"] for d in configuration["directories"]]
    for reference in configuration["targets"]:
        target = json.load(open(os.path.join(reply, reference["jsonFile"])))
        folder = os.path.normpath(os.path.join(source_root, folders[reference["directoryIndex"]]))
        targets += 1
        for source in target.get("sources", []):
            if "compileGroupIndex" not in source or source.get("isGenerated"):
                continue
            path = os.path.normpath(os.path.join(source_root, source["path"]))
            if path.startswith(build + os.sep):
                continue
            if os.path.commonpath([path, folder]) != folder:
                strays.append(f"{target['name']} (in {os.path.relpath(folder, source_root)}/) "
                              f"compiles {os.path.relpath(path, source_root)}")

if targets == 0:
    sys.exit("the code model lists no targets: nothing was checked")
if strays:
    print("sources compiled by a target of another folder:")
    print("\n".join(f"  {line}" for line in strays))
    sys.exit(1)
print(f"ok: {targets} targets, each compiling only its own folder's sources")

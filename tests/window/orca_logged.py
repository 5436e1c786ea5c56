# Runs Debian's Orca with its debug log written line by line, so that what it says can be followed as it says it.
import builtins
import runpy
import sys

log_path = sys.argv[sys.argv.index("--debug-file") + 1]
plain_open = builtins.open


def open_line_buffered(file, mode="r", *args, **kwargs):
    if file == log_path and mode == "w":
        return plain_open(file, mode, 1)
    return plain_open(file, mode, *args, **kwargs)


builtins.open = open_line_buffered
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")

"""A throw-away FTP server for the tests: one user on a temporary root folder, on 127.0.0.1.

usage: ftp_server.py ROOT USER PASSWORD LOG

Prints "PORT <n>" on stdout once it listens. Appends "CMD <command line>" to LOG for every
command it receives (passwords masked), before it answers it, so a client that has its answer
finds the line logged. It ends when its stdin closes (the test is gone) or after two minutes,
whichever comes first, so it never outlives a test run.
"""

import os
import signal
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, log_path = sys.argv[1:5]
log_lock = threading.Lock()


def log(line):
    with log_lock, open(log_path, "a", encoding="utf-8") as log_file:
        log_file.write(line + "\n")


class Handler(FTPHandler):
    auth_failed_timeout = 0.05

    def pre_process_command(self, line, cmd, arg):
        log("CMD " + ("PASS ***" if cmd == "PASS" else line))
        return super().pre_process_command(line, cmd, arg)


def main():
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    signal.signal(signal.SIGALRM, lambda *_: os._exit(0))
    signal.alarm(120)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(timeout=0.2, handle_exit=False)


main()

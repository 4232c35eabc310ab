"""A throw-away FTP server for the tests: one user on a temporary root folder, on 127.0.0.1.

usage: ftp_server.py ROOT USER PASSWORD LOG [--refuse NAME]... [--drop NAME]... [--slow NAME]...

--refuse NAME answers every STOR of a file called NAME with "553 Not allowed here."; --drop NAME
takes the first bytes of such a file and then closes the connection, as a server that goes
away in the middle of a transfer; --slow NAME waits 0.4 s before it takes such a file.

Prints "PORT <n>" on stdout once it listens. Appends "CMD <command line>" to LOG for every
command it receives (passwords masked), before it answers it, so a client that has its answer
finds the line logged. It ends when its stdin closes (the test is gone) or after two minutes,
whichever comes first, so it never outlives a test run.
"""

import argparse
import os
import signal
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("root")
parser.add_argument("user")
parser.add_argument("password")
parser.add_argument("log_path")
parser.add_argument("--refuse", action="append", default=[])
parser.add_argument("--drop", action="append", default=[])
parser.add_argument("--slow", action="append", default=[])
args = parser.parse_args()
root, user, password, log_path = args.root, args.user, args.password, args.log_path
log_lock = threading.Lock()


def log(line):
    with log_lock, open(log_path, "a", encoding="utf-8") as log_file:
        log_file.write(line + "\n")


class DroppingDTP(DTPHandler):
    def handle_read(self):
        super().handle_read()
        name = os.path.basename(getattr(self.file_obj, "name", "") or "")
        if name in args.drop and self.tot_bytes_received > 0:
            log("DROP " + name)
            self.cmd_channel.close()

    handle_read_event = handle_read


class Handler(FTPHandler):
    auth_failed_timeout = 0.05
    dtp_handler = DroppingDTP

    def pre_process_command(self, line, cmd, arg):
        log("CMD " + ("PASS ***" if cmd == "PASS" else line))
        return super().pre_process_command(line, cmd, arg)

    def ftp_STOR(self, file, mode="w"):
        if os.path.basename(file) in args.refuse:
            self.respond("553 Not allowed here.")
            return None
        if os.path.basename(file) in args.slow:
            time.sleep(0.4)
        return super().ftp_STOR(file, mode)


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

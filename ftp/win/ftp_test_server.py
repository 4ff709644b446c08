#!/usr/bin/env python3
"""A real FTP server on 127.0.0.1 for the tests, started and stopped by them.

ftp_test_server.py CONTROL_DIR ROOT USER PASSWORD [options]

Binds a free port and writes it to CONTROL_DIR/port. Ends when CONTROL_DIR/stop
appears, at once (as if killed) when CONTROL_DIR/kill appears, and in any case
after --life seconds, so no test leaves it behind.
  --second-root DIR USER2   a second account with its own root
  --throttle BYTES          limit each data connection to BYTES per second
  --silent                  accept connections and never say a word
  --no-mlsd                 leave MLST out of FEAT, so clients list with LIST
  --no-active               refuse PORT and EPRT
  --hostile                 add files whose names must never be used as given
  --idle SECONDS            close control connections idle that long
  --port PORT               listen on PORT instead of a free one (a server
                            started again where an earlier one died)
  --log FILE                append every command received to FILE, one a
                            line, with the number of the control connection
"""
import os
import socket
import sys
import threading
import time


def main():
    control, root, user, password = sys.argv[1:5]
    opts = sys.argv[5:]
    life = 600.0
    if "--life" in opts:
        life = float(opts[opts.index("--life") + 1])

    def watch(stop_action):
        end = time.time() + life
        while time.time() < end:
            if os.path.exists(os.path.join(control, "kill")):
                os._exit(3)
            if os.path.exists(os.path.join(control, "stop")):
                break
            time.sleep(0.1)
        stop_action()
        os._exit(0)

    def publish(port):
        tmp = os.path.join(control, "port.tmp")
        with open(tmp, "w") as f:
            f.write(str(port))
        os.replace(tmp, os.path.join(control, "port"))

    if "--silent" in opts:
        s = socket.socket()
        s.bind(("127.0.0.1", 0))
        s.listen(8)
        publish(s.getsockname()[1])
        held = []
        threading.Thread(target=watch, args=(lambda: None,), daemon=True).start()
        while True:
            c, _ = s.accept()
            held.append(c)

    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
    from pyftpdlib.servers import FTPServer

    auth = DummyAuthorizer()
    auth.add_user(user, password, root, perm="elradfmwMT")
    if "--second-root" in opts:
        i = opts.index("--second-root")
        auth.add_user(opts[i + 2], password, opts[i + 1], perm="elradfmwMT")

    class Handler(FTPHandler):
        pass

    Handler.authorizer = auth
    Handler.banner = "test server ready"
    Handler.permit_foreign_addresses = False
    if "--no-mlsd" in opts:
        Handler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items()
                              if k not in ("MLSD", "MLST")}
    if "--idle" in opts:
        Handler.timeout = float(opts[opts.index("--idle") + 1])
    if "--no-active" in opts:
        Handler.proto_cmds = {k: v for k, v in Handler.proto_cmds.items()
                              if k not in ("PORT", "EPRT")}
    hostile = [os.path.join(root, n) for n in ("back\\slash", "c:drive", "line\nbreak", "cr\rRETR x")]
    if "--hostile" in opts:
        for name in hostile:
            with open(name, "w") as f:
                f.write("x")

    def stop():
        server.close_all()
        # Windows programs cannot remove what they cannot name.
        for name in hostile:
            if os.path.exists(name):
                os.remove(name)
    if "--throttle" in opts:
        dtp = ThrottledDTPHandler
        dtp.read_limit = dtp.write_limit = int(opts[opts.index("--throttle") + 1])
        Handler.dtp_handler = dtp

    if "--log" in opts:
        log = opts[opts.index("--log") + 1]
        counter = [0]
        Base = Handler

        class Logged(Base):
            def on_connect(self):
                counter[0] += 1
                self.number = counter[0]

            def pre_process_command(self, line, cmd, arg):
                with open(log, "a") as f:
                    f.write("%d %s\n" % (self.number, cmd))
                return Base.pre_process_command(self, line, cmd, arg)

        Handler = Logged

    port = int(opts[opts.index("--port") + 1]) if "--port" in opts else 0
    server = FTPServer(("127.0.0.1", port), Handler)
    publish(server.socket.getsockname()[1])
    threading.Thread(target=watch, args=(stop,), daemon=True).start()
    server.serve_forever(timeout=0.2, blocking=True, handle_exit=False)


if __name__ == "__main__":
    import logging
    logging.basicConfig(level=logging.ERROR)
    main()

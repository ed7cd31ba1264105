#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail connection tests.

    smtp_server.py --spool DIR --mode plain|starttls|auth|smtps [--login USER:PASSWORD] [--idle S]

Listens on a free port and writes it to DIR/port once it accepts connections. In the TLS modes it
first makes a self-signed certificate for 127.0.0.1 (DIR/cert.pem, the file the client trusts).
Each accepted message is written as DIR/NNN.eml (the data exactly as received, dots undone) with
DIR/NNN.env (the client's port, which tells connections apart, the MAIL FROM address, then one
line per recipient).

The recipient decides how the server answers: "reject..." is refused with 550 at RCPT TO and
"drop..." has the connection cut once the message data has arrived. In auth mode STARTTLS and a
login with USER and PASSWORD are required before MAIL FROM. The server exits after a minute or
when its parent is gone, so a test that dies never leaves it behind.
"""

import argparse
import asyncio
import os
import ssl
import subprocess
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

LIFETIME_SECONDS = 60


class Recorder:
    def __init__(self, spool):
        self.spool = spool
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("reject"):
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if any(rcpt.startswith("drop") for rcpt in envelope.rcpt_tos):
            server.transport.abort()
            return "421 gone"
        self.count += 1
        stem = os.path.join(self.spool, "%03d" % self.count)
        with open(stem + ".env", "w") as env:
            client_port = str(session.peer[1])
            env.write("\n".join([client_port, envelope.mail_from] + envelope.rcpt_tos) + "\n")
        with open(stem + ".eml", "wb") as eml:
            eml.write(envelope.original_content)
        return "250 Message accepted for delivery"


def make_certificate(spool):
    cert, key = os.path.join(spool, "cert.pem"), os.path.join(spool, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
         "-addext", "subjectAltName=IP:127.0.0.1"],
        check=True, capture_output=True, timeout=30)
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    return context


def authenticator_for(login):
    user, password = login.split(":", 1)

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
            and auth_data.password.decode() == password
        return AuthResult(success=ok)

    return authenticate


async def serve(args):
    handler = Recorder(args.spool)
    tls = make_certificate(args.spool) if args.mode != "plain" else None
    options = {"hostname": "127.0.0.1", "timeout": args.idle}
    if args.mode in ("starttls", "auth"):
        options.update(tls_context=tls, require_starttls=True)
    if args.mode == "auth":
        options.update(authenticator=authenticator_for(args.login), auth_required=True)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(handler, loop=loop, **options), "127.0.0.1", 0,
        ssl=tls if args.mode == "smtps" else None)
    port_file = os.path.join(args.spool, "port")
    with open(port_file + ".new", "w") as out:
        out.write(str(server.sockets[0].getsockname()[1]))
    os.rename(port_file + ".new", port_file)
    parent = os.getppid()
    for _ in range(LIFETIME_SECONDS * 10):
        if os.getppid() != parent:
            break
        await asyncio.sleep(0.1)
    server.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--spool", required=True)
    parser.add_argument("--mode", choices=["plain", "starttls", "auth", "smtps"], default="plain")
    parser.add_argument("--login", default="")
    parser.add_argument("--idle", type=float, default=30, help="seconds before an idle client is cut")
    asyncio.run(serve(parser.parse_args()))


if __name__ == "__main__":
    sys.exit(main())

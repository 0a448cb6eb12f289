#!/usr/bin/python3
"""A local mail server for the mail tests: TLS (implicit with --implicit, none with --plain,
else STARTTLS required) with a test-only self-signed certificate, AUTH required. Each message received is
written whole to DIR/NNN.eml with its envelope in DIR/NNN.env. Prints READY once listening;
stops when its standard input closes."""
import argparse
import os
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

here = os.path.dirname(os.path.abspath(__file__))
p = argparse.ArgumentParser()
p.add_argument("--port", type=int, required=True)
p.add_argument("--dir", required=True)
p.add_argument("--user", default="mailer")
p.add_argument("--password", default="s3cret;pass")
p.add_argument("--implicit", action="store_true")
p.add_argument("--plain", action="store_true", help="no TLS at all")
p.add_argument("--refuse-auth", action="store_true")
p.add_argument("--refuse-rcpt", action="append", default=[], help="a recipient refused with 550")
a = p.parse_args()

context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
context.load_cert_chain(os.path.join(here, "cert.pem"), os.path.join(here, "key.pem"))


class Handler:
    count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in a.refuse_rcpt:
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        Handler.count += 1
        base = os.path.join(a.dir, "%03d" % Handler.count)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".env", "w") as f:
            f.write("FROM %s\n" % envelope.mail_from)
            for r in envelope.rcpt_tos:
                f.write("TO %s\n" % r)
        return "250 OK"


def authenticate(server, session, envelope, mechanism, data):
    ok = (not a.refuse_auth and isinstance(data, LoginPassword)
          and data.login.decode() == a.user and data.password.decode() == a.password)
    return AuthResult(success=ok, handled=False)


options = dict(authenticator=authenticate, auth_required=True)
if a.plain:
    controller = Controller(Handler(), hostname="127.0.0.1", port=a.port, auth_require_tls=False, **options)
elif a.implicit:
    controller = Controller(Handler(), hostname="127.0.0.1", port=a.port, ssl_context=context,
                            auth_require_tls=False, **options)
else:
    controller = Controller(Handler(), hostname="127.0.0.1", port=a.port, tls_context=context,
                            require_starttls=True, **options)
controller.start()
print("READY", flush=True)
sys.stdin.read()
controller.stop()

"""A real SMTP server for the mail tests, built on aiosmtpd.

Listens on 127.0.0.1 at a free port, prints "PORT <n>" once it accepts
connections, and records into --dir:
  session.log    one line per command: the verb, and "tls" when it came
                 over TLS ("AUTH PLAIN tls", "MAIL", ...)
  message-<n>.eml and envelope-<n>.json for every message accepted.
Runs until it is terminated.
"""
import argparse
import asyncio
import hmac
import json
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

VERBS = ("EHLO", "HELO", "STARTTLS", "AUTH", "MAIL", "RCPT", "DATA", "RSET", "NOOP", "QUIT")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--implicit-tls", action="store_true")
    parser.add_argument("--mechanisms", default="", help="comma-separated AUTH mechanisms offered")
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--auth-in-clear", action="store_true")
    options = parser.parse_args()

    log_path = os.path.join(options.dir, "session.log")

    def record(line):
        with open(log_path, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    class RecordingSMTP(SMTP):
        pass

    def recorded(verb):
        original = getattr(SMTP, "smtp_" + verb)

        async def command(self, arg):
            words = [verb]
            if verb == "AUTH" and arg:
                words.append(arg.split()[0].upper())
            if self._tls_protocol is not None or options.implicit_tls:
                words.append("tls")
            record(" ".join(words))
            return await original(self, arg)

        return command

    for verb in VERBS:
        setattr(RecordingSMTP, "smtp_" + verb, recorded(verb))

    class Handler:
        def __init__(self):
            self.count = 0

        async def handle_DATA(self, server, session, envelope):
            self.count += 1
            base = os.path.join(options.dir, "message-%d" % self.count)
            with open(base + ".eml", "wb") as message:
                message.write(envelope.original_content)
            with open(base + ".json", "w", encoding="utf-8") as info:
                json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}, info)
            return "250 2.0.0 Message accepted for delivery"

        async def auth_CRAM__MD5(self, server, args):
            challenge = "<%s.%d@orv-test>" % (os.urandom(8).hex(), os.getpid())
            response = await server.challenge_auth(challenge)
            if not isinstance(response, bytes) or b" " not in response:
                return AuthResult(success=False, handled=False)
            user, digest = response.rsplit(b" ", 1)
            expected = hmac.new(options.password.encode(), challenge.encode(), "md5").hexdigest().encode()
            good = user.decode() == options.user and hmac.compare_digest(digest, expected)
            return AuthResult(success=good, handled=False, auth_data=LoginPassword(user, b""))

    def authenticator(server, session, envelope, mechanism, auth_data):
        good = auth_data.login.decode() == options.user and auth_data.password.decode() == options.password
        # handled=False: the server, not this function, sends 235 or 535.
        return AuthResult(success=good, handled=False, auth_data=auth_data)

    context = None
    if options.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(options.cert, options.key)

    offered = [m for m in options.mechanisms.split(",") if m]
    excluded = [m for m in ("LOGIN", "PLAIN", "CRAM-MD5") if m not in offered]

    # One handler for every connection, so messages keep counting up.
    handler = Handler()

    def factory():
        return RecordingSMTP(
            handler,
            tls_context=None if options.implicit_tls else context,
            authenticator=authenticator,
            auth_require_tls=not (options.auth_in_clear or options.implicit_tls),
            auth_exclude_mechanism=excluded,
            hostname="orv-test",
        )

    async def serve():
        loop = asyncio.get_running_loop()
        server = await loop.create_server(
            factory, "127.0.0.1", 0, ssl=context if options.implicit_tls else None)
        print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
        await server.serve_forever()

    asyncio.run(serve())


if __name__ == "__main__":
    sys.exit(main())

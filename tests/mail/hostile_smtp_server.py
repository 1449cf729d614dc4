"""SMTP servers that misbehave, for the mail transport's limits.

Prints "PORT <n>" and serves connections in one of these ways:
  silent        accepts and never says anything
  trickle       sends its greeting one byte a second, for ever
  close-in-data answers like a server until DATA, then closes mid-message
  huge-line     greets with a 10 MB line, then answers like a server
  busy          replies 421 at once and closes
"""
import socket
import sys
import threading
import time


def reply_like_a_server(conn, reader):
    for line in reader:
        verb = line.split(b" ")[0].strip().upper()
        if verb == b"QUIT":
            conn.sendall(b"221 bye\r\n")
            return
        if verb == b"DATA":
            conn.sendall(b"354 go on\r\n")
            for body in reader:
                if body in (b".\r\n", b".\n"):
                    break
            conn.sendall(b"250 accepted\r\n")
        elif verb == b"EHLO":
            conn.sendall(b"250-hostile\r\n250 8BITMIME\r\n")
        else:
            conn.sendall(b"250 ok\r\n")


def serve(conn, mode):
    with conn:
        reader = conn.makefile("rb")
        if mode == "silent":
            time.sleep(3600)
        elif mode == "trickle":
            for byte in b"220 " + b"x" * 100000:
                conn.sendall(bytes([byte]))
                time.sleep(1)
        elif mode == "busy":
            conn.sendall(b"421 4.3.2 Service not available, closing\r\n")
        elif mode == "huge-line":
            conn.sendall(b"220 " + b"x" * (10 * 1024 * 1024) + b"\r\n")
            reply_like_a_server(conn, reader)
        elif mode == "close-in-data":
            conn.sendall(b"220 hostile ESMTP\r\n")
            for line in reader:
                verb = line.split(b" ")[0].strip().upper()
                if verb == b"DATA":
                    conn.sendall(b"354 go on\r\n")
                    reader.readline()
                    return
                conn.sendall(b"250-hostile\r\n250 8BITMIME\r\n" if verb == b"EHLO" else b"250 ok\r\n")


def main():
    mode = sys.argv[1]
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print("PORT %d" % listener.getsockname()[1], flush=True)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve, args=(conn, mode), daemon=True).start()


if __name__ == "__main__":
    main()

"""Prints what Python's email package reads in a message file, as JSON.

Usage: inspect_message.py MESSAGE.eml OUTPUT_DIR
Attachments are written to OUTPUT_DIR under their file names.
"""
import email
import email.policy
import json
import os
import sys

with open(sys.argv[1], "rb") as source:
    message = email.message_from_binary_file(source, policy=email.policy.default)

parts = []
for part in message.walk():
    if part.is_multipart():
        continue
    entry = {"type": part.get_content_type(), "charset": part.get_content_charset()}
    filename = part.get_filename()
    if filename:
        entry["filename"] = filename
        payload = part.get_payload(decode=True)
        with open(os.path.join(sys.argv[2], filename), "wb") as out:
            out.write(payload)
        entry["size"] = len(payload)
    else:
        entry["text"] = part.get_content()
    parts.append(entry)

headers = {name: str(message[name]) for name in
           ("From", "To", "Cc", "Bcc", "Subject", "Disposition-Notification-To", "MIME-Version")
           if message[name] is not None}
print(json.dumps({"type": message.get_content_type(), "headers": headers, "parts": parts,
                  "defects": [type(d).__name__ for d in message.defects]}))

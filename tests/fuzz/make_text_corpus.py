#!/usr/bin/env python3
"""Writes the seed corpora of the configuration reader (stored, scrambled files) and of
ParseInteger (setting texts).

Run from anywhere: python3 tests/fuzz/make_text_corpus.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def scramble(clear):
    """Stores clear text as the configuration file holds it: line contents complemented."""
    return bytes(b if b in (0x0A, 0x0D) else 0xFF - b for b in clear)


CONFIGS = {
    "demo-like": b"[SYSTEM]\r\nName=Disc Suite\r\nVersion=1.0\r\nCopyright=Maker\r\nSkin=0\r\n"
                 b"ResFolder=default\r\nHelpHomePageLink=https://example.com/\r\n"
                 b"HelpSupportLink=mailto:help@example.com\r\n",
    "alternative-hex-skin": b"[system]\nskin = $1\nresfolder = wide\n",
    "two-sections": b"[SYSTEM]\nVersion=1\nName=First\n[Other]\nName=X\n[ SYSTEM ]\nVersion=2\n"
                    b"Version=3\n",
    "comments-and-strays": b"Name=Stray\n; comment\n[SYSTEM]\n  ; Name=No\n#Name=Hash\nbare\n"
                           b"Name = a=b \n",
    "header-with-note": b"[SYSTEM]\nName=A\n[Other] ; note\nName=B\n[\nSkin=-2147483648\n",
    "bad-skin": b"[SYSTEM]\nVersion=V\nCopyright=C\nSkin=1.0\nResFolder=never\n",
    "mixed-breaks": b"[SYSTEM]\rName=R\n\rSkin=0x1\r\r\nVersion=9",
    "empty-header": b"[]\nName=Empty\n[SYSTEM]\nName=\n",
}

# Files whose stored bytes are not plain scrambled text.
STORED = {
    "clear-text": b"[SYSTEM]\r\nName=Clear\r\nSkin=0\r\n",
    "byte-order-mark": b"\xEF\xBB\xBF" + scramble(b"[SYSTEM]\nName=X\nSkin=0\n"),
    "nul-inside": scramble(b"[SYSTEM]\nVersion=1\n") + b"\x00" + scramble(b"Skin=1\n"),
    "control-bytes": scramble(b"[SYSTEM]\nName=a") + b"\xFF\xF5\xF2" + scramble(b"b\nSkin=0\n"),
    "breaks-only": b"\r\n\n\r\r\r\n",
}

INTEGERS = {
    "one": b"1", "plus-one": b"+1", "leading-zero": b"01", "dollar": b"$1", "x": b"x1",
    "zero-x": b"0X1", "spaces-before": b"   7", "minus-zero": b"-0", "all-ones": b"$FFFFFFFF",
    "minus-hex": b"-0x80000000", "leading-hex-zeros": b"$000000000FFFFFFF",
    "nine-hex-digits": b"x100000000", "int-min": b"-2147483648", "int-max": b"2147483647",
    "over-max": b"2147483648", "under-min": b"-2147483649", "point": b"1.0", "two": b"1 2",
    "sign-space": b"- 1", "prefix-only": b"0x", "sign-only": b"-", "trailing-space": b"1 ",
    "two-signs": b"+-1", "lower-hex": b"$deadBEEF", "long-zeros": b"0" * 40 + b"5",
    "nul": b"1\x002",
}


def write(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(content)


def main():
    configs = {f"{name}.dll": scramble(text) for name, text in CONFIGS.items()}
    configs.update({f"{name}.dll": content for name, content in STORED.items()})
    write(os.path.join(HERE, "corpus", "config"), configs)
    write(os.path.join(HERE, "corpus", "integer"),
          {f"{name}.txt": content for name, content in INTEGERS.items()})


if __name__ == "__main__":
    main()

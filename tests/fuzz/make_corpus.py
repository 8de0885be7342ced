#!/usr/bin/env python3
"""Writes the seed corpus: real files of each format, good ones and damaged ones."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
random.seed(7)


def write(kind, name, text, encoding="cp1252"):
    folder = os.path.join(HERE, "corpus", kind)
    os.makedirs(folder, exist_ok=True)
    data = text if isinstance(text, bytes) else text.encode(encoding, "replace")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


NAMES = ["Müller, Hans", "Özdemir", "Straße Ärztehaus", "meier", "Meier", "Zander",
         "Ärzte Notdienst", "d'Artagnan", "Bäckerei \"Zum Korn\"", "Ñandú", "Él", "O'Neil"]
NUMBERS = ["49 89 1234567", "49 30 7654321", "33 1 23456789", "41 44 1234", "49891234"]


def settings(version="2.2", field7='"49|89"', size="12"):
    return (f"[BRISEL VERSION {version}]\r\n"
            f'1,1,0,"",0,"00",{field7},{size},"","",0\r\n'
            '"Büro 1","Büro 2","Privat 1","Privat 2"\r\n')


def phonebook():
    kind = "phonebook"
    write(kind, "empty22", settings())
    write(kind, "empty20", settings("2.0"))
    body = "".join(f'{i % 4 + 1},"{n}","{NUMBERS[i % len(NUMBERS)]}",{i % 2}\r\n'
                   for i, n in enumerate(NAMES))
    write(kind, "full22", settings() + body)
    write(kind, "full22_trailing_blank", settings() + body + "\r\n")
    body20 = "".join(f'{i % 4 + 1},"{n}","{NUMBERS[i % len(NUMBERS)]}"\r\n'
                     for i, n in enumerate(NAMES))
    write(kind, "full20", settings("2.0") + body20)
    for i, f7 in enumerate(['"49"', '"0"', '"|"', '""', '" 49 | 89 "', '"43|1"', "49"]):
        write(kind, f"field7_{i}", settings(field7=f7) + body)
    for size in ["8.25", "8.5", "9.5", "-3", "", "abc", "1e309", "nan", "99999999999"]:
        write(kind, f"size_{size or 'empty'}", settings(size=size) + body)
    for flag in ["3", "2", "-1", "", "x"]:
        write(kind, f"flag_{flag or 'empty'}", settings() + f'1,"A","49 1",{flag}\r\n')
    for number in ["0", "5", "-1", "99999999999", "1.4", "abc"]:
        write(kind, f"listno_{number}", settings() + f'{number},"A","49 1",1\r\n' + body)
    full = settings() + body
    for cut in range(1, len(full), max(1, len(full) // 12)):
        write(kind, f"cut_{cut}", full[:cut])
    write(kind, "lf_only", full.replace("\r\n", "\n"))
    write(kind, "cr_only", full.replace("\r\n", "\r"))
    write(kind, "unterminated_quote", settings() + '1,"Offen,"49 1",1\r\n')
    write(kind, "text_after_quote", settings() + '1,"Name"rest,"49 1"  x,1\r\n')
    write(kind, "nul_bytes", (settings() + body).encode("cp1252", "replace").replace(b",", b",\0", 3))
    write(kind, "bom", b"\xef\xbb\xbf" + full.encode("cp1252", "replace"))
    write(kind, "undefined_cp1252", settings() + '1,"\x81\x8d\x8f\x90\x9d","49",1\r\n', "latin-1")
    write(kind, "version_lower", full.replace("VERSION", "version"))
    write(kind, "version_spaces", full.replace("2.2]", "2.2]   "))


def provider_line(name, code, mofr, saso, start, end, n, f, a):
    return f'"{name}","{code}",{mofr},{saso},{start},{end},{n},{f},{a}\r\n'


def provider():
    kind = "provider"
    rows = [provider_line(f"Anbieter {i}", f"010{i:02d}", i % 2, (i // 2) % 2,
                          random.randint(0, 24), random.randint(0, 24), i % 2, 1, (i // 3) % 2)
            for i in range(40)]
    write(kind, "empty", "")
    write(kind, "one", rows[0])
    write(kind, "many", "".join(rows))
    write(kind, "unsorted", "".join(reversed(rows)))
    write(kind, "ties", "".join(provider_line("Gleich", f"0100{i}", 1, 1, 0, 24, 1, 1, 1)
                                for i in range(5)))
    write(kind, "comma_in_name", provider_line("Tele, Netz", "01090", 1, 0, 8, 18, 1, 1, 0))
    write(kind, "umlauts", provider_line("Süd Telekom", "01011", 0, 1, 18, 24, 0, 1, 1))
    write(kind, "blanks", provider_line("  Rand  ", " 01012 ", 1, 1, 0, 24, 1, 0, 1))
    write(kind, "two_lines_row", '"Geteilt","01013",\r\n1,1,0,24,1,1,1\r\n')
    for hour in ["25", "-1", "99999999999", "nan", "1e309", "8.5", "abc", ""]:
        write(kind, f"hour_{hour or 'empty'}",
              f'"Stunde","01014",1,1,{hour},24,1,1,1\r\n' + rows[1])
    whole = "".join(rows[:6])
    for cut in range(1, len(whole), max(1, len(whole) // 10)):
        write(kind, f"cut_{cut}", whole[:cut])
    write(kind, "lf_only", whole.replace("\r\n", "\n"))
    write(kind, "cr_only", whole.replace("\r\n", "\r"))
    write(kind, "nul", whole.encode().replace(b"0", b"\0", 4))
    write(kind, "unterminated_quote", '"Offen,"01015",1,1,0,24,1,1,1\r\n')
    write(kind, "long_line", '"' + "x" * 20000 + '","1",1,1,0,24,1,1,1\r\n')


def tariff():
    kind = "tariff"
    head = "Tarvok Pro Provider Update 2026-12\r\nName;Netz;MoFr;SaSo;ab;bis;N;F;A;Preis\r\n"
    rows = [f"Anbieter {i};010{i:02d};{'x' if i % 2 else ''};{'x' if i % 3 else ''};"
            f"{i % 24};{(i % 24) + 1};{'x' if i % 2 else ''};x;{'' if i % 4 else 'x'};1,{i}\r\n"
            for i in range(30)]
    write(kind, "valid", head + "".join(rows))
    write(kind, "only_header", head)
    write(kind, "marker_only", "Tarvok Pro Provider Update")
    write(kind, "no_marker", "<html>404 Not Found</html>\r\n")
    write(kind, "quoted", head + '"Tele Süd";"01090";"x";"";"8";"18";"";"x";""\r\n')
    write(kind, "mark_zero", head + "Null;01091;0;0;0;24;0;0;0\r\n")
    write(kind, "nine_values", head + "Neun;01092;x;x;0;24;x;x;x\r\nZehn;01093;x;x;0;24;x;x;x;y\r\n")
    write(kind, "commas", head.replace(";", ",") + "Komma,01094,x,,7,19,,x,\r\n")
    for i, code in enumerate(["01;ATH", "abc", "+49", "ATDT110", "0109 0", "0" * 40, ""]):
        write(kind, f"code_{i}", head + f"Böse;{code};x;x;0;24;x;x;x\r\n")
    for hour in ["25", "-1", "nan", "1e309", "x", "", "99999999999"]:
        write(kind, f"hour_{hour or 'empty'}", head + f"Stunde;01095;x;x;{hour};24;x;x;x\r\n")
    whole = head + "".join(rows[:5])
    for cut in range(len(head), len(whole), max(1, (len(whole) - len(head)) // 8)):
        write(kind, f"cut_{cut}", whole[:cut])
    write(kind, "lf_only", whole.replace("\r\n", "\n"))
    write(kind, "cr_only", whole.replace("\r\n", "\r"))
    write(kind, "bom", b"\xef\xbb\xbf" + whole.encode("cp1252"))


def number():
    kind = "number"
    seeds = {
        "de_landline": "+49 30 1234567", "de_zero": "+49 (0)711 1234-56",
        "de_idd": "0049 89 1234567", "de_national": "030/1234567", "de_mobile": "0151 23456789",
        "ch": "+41 44 668 18 00", "fr": "0033 6 12 34 56 78", "us": "+1 (650) 253-0000",
        "it": "+39 06 1234 5678", "local": "1234567",
        "tel": "tel:+49-711-1234;ext=56", "tel_context": "tel:1234567;phone-context=+49-30",
        "tel_domain": "tel:7042;phone-context=example.com", "tel_encoded": "tel:+49%2030%201234",
        "callto": "callto://+41446681800", "letters": "030 CALL-NOW",
        "two": "030 1234567, 089 7654321", "two_plus": "+49 30 1 +49 89 2",
        "star": "*31#030123", "short": "+49 1", "long": "+49 " + "9" * 30, "empty": "",
        "book_form": "49 30 1234567", "leading_zero": "+49 000567",
        "unicode_digits": "\uff10\uff13\uff10 1234567",
    }
    for name, text in seeds.items():
        write(kind, name, text, "utf-8")


if __name__ == "__main__":
    phonebook()
    provider()
    tariff()
    number()

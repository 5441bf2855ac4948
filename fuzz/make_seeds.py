#!/usr/bin/env python3
"""Writes the committed seed corpora of the fuzz targets (fuzz/corpus/NAME/).

Seeds are small valid inputs made from the golden files under
tests/testdata/ and from hand-made examples of each format, plus a few
broken ones (cut short, bad counts) so the fuzzer starts on both sides of
every check. Run it again only after a deliberate change of a format:

    python3 fuzz/make_seeds.py

Inputs that a fuzz run found crashing are added to the corpus by hand
(named crash-*), never by this script, and are kept when it runs.
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TESTDATA = os.path.join(ROOT, "tests", "testdata")
CORPUS = os.path.join(ROOT, "fuzz", "corpus")


def read(*parts):
    with open(os.path.join(TESTDATA, *parts), "rb") as f:
        return f.read()


def write_corpus(target, seeds):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if name.startswith("seed-"):
            os.remove(os.path.join(folder, name))
    for name, data in seeds.items():
        with open(os.path.join(folder, "seed-" + name), "wb") as f:
            f.write(data)


def f32(*values):
    return struct.pack("<%df" % len(values), *values)


# --- Material data files: four blocks of (filler, ModelType, ...). ---

def polynomial_block(codes, coefficients):
    assert len(coefficients) == len(codes) + 1
    out = struct.pack("<hhhhh", 0, 1, 0, len(codes), 0)
    out += struct.pack("<%dh" % len(codes), *codes)
    out += struct.pack("<h", 0) + f32(*coefficients)
    return out


def table_block(values):
    assert len(values) == 187
    raw = f32(*values)
    out = struct.pack("<hh", 0, 2)
    at = 0
    for size in (128, 128, 128, 128, 128, 108):
        out += struct.pack("<h", 0) + raw[at:at + size]
        at += size
    return out


def no_model_block(model_type=0):
    return struct.pack("<hh", 0, model_type)


def table(base, per_ratio, per_angle, ratios=None, angles=None):
    ratios = ratios or [2.0 * (j + 1) for j in range(1, 11)]
    angles = angles or [20.0 + 10 * i for i in range(1, 17)]
    values = [0.0] + ratios
    for i in range(1, 17):
        values.append(angles[i - 1])
        values += [base + per_ratio * j + per_angle * i for j in range(1, 11)]
    return values


def material_seeds():
    point = f32(90, 16, 2)  # the evaluation point the target reads last
    golden = read("bendcalc", "material_mixed.bin")
    every_term = polynomial_block(list(range(2, 12)), [0.1] * 11)
    high_terms = polynomial_block(list(range(12, 22)), [0.01] * 11)
    odd_codes = polynomial_block([0, 1, 22, -1, 5], [1, 2, 3, 4, 5, 6])
    flat = table(0.3, 0.0, 0.0, ratios=[8.0] * 10, angles=[90.0] * 16)
    tables = b"".join(table_block(table(0.5, 0.1 * k, 0.01)) for k in range(4))
    bad_count = struct.pack("<hhhhh", 0, 1, 0, 11, 0) + b"\0" * 60
    return {
        "golden-mixed": golden + point,
        "golden-mixed-at-20": golden + f32(20, 80, 4),
        "golden-cut-short": golden[: len(golden) // 2],
        "polynomials": every_term + high_terms + odd_codes + every_term + point,
        "tables": tables + f32(25, 100, 2),
        "flat-table": table_block(flat) + no_model_block() * 3 + point,
        "no-models": no_model_block(0) + no_model_block(3) +
                     no_model_block(-1) + no_model_block(0x7FFF),
        "bad-term-count": bad_count,
    }


# --- BendCalculator inputs: 8 material floats, 8 machine floats. ---

WORKED_MATERIAL = [1, 2, 16, 88, 2, 1, 40, 90]
WORKED_MACHINE = [0, 0, 1000, 50, 3000, 1, 1000, 1000]


def calc(material, machine, extra=b""):
    return f32(*material) + f32(*machine) + extra


def with_(values, **changes):
    names = ["n", "T", "V", "Ad", "Rd", "Lm", "sigma", "alpha"]
    out = list(values)
    for key, value in changes.items():
        out[names.index(key)] = value
    return out


def calculate_seeds():
    m, k = WORKED_MATERIAL, WORKED_MACHINE
    inf = float("inf")
    return {
        "worked-example": calc(m, k),
        "frame-term": calc(m, [1, 0.001] + k[2:]),
        "alpha-87": calc(with_(m, alpha=87), k),
        "alpha-20": calc(with_(m, alpha=20), k),
        "alpha-180": calc(with_(m, alpha=180), k),
        "material-2": calc(with_(m, n=2), k),
        "material-3-tables": calc(with_(m, n=3, T=3, V=24), k),
        "material-4-mixed": calc(with_(m, n=4.9), k),
        "material-4-from-input": calc(with_(m, n=4), k,
                                      read("bendcalc", "material_mixed.bin")),
        "material-5": calc(with_(m, n=5), k),
        "no-die": calc(with_(m, V=0), k),
        "narrow-die": calc(with_(m, V=6), k),
        "wide-die": calc(with_(m, V=50), k),
        "zero-radius": calc(with_(m, Rd=0, Ad=0), k),
        "huge-thickness": calc(with_(m, T=3e38, V=3e38), k),
        "zero-strength": calc(with_(m, sigma=0), k),
        "limits": calc(m, [0, 0, 100, 90, 3000, 1, 10, 20]),
        "no-machine": calc(m, [0] * 8),
        "infinities": calc(with_(m, Lm=inf), [1, inf, inf, 0, inf, 1, inf, inf]),
    }


# --- Record files: the golden programs, both layouts. ---

HEADER_PADDED, STEP_PADDED = 125, 145


def compact(padded):
    count = struct.unpack_from("<h", padded, 59)[0]
    out = padded[:124]
    for k in range(count):
        at = HEADER_PADDED + k * STEP_PADDED
        out += padded[at:at + 144]
    return out


def with_count(data, count):
    return data[:59] + struct.pack("<h", count) + data[61:]


def record_seeds():
    seeds = {}
    for name in ("one_step_mm", "three_steps_inch", "twenty_five_steps"):
        data = read("program", name + ".rec")
        seeds[name] = data
        seeds[name + "-compact"] = compact(data)
    one = seeds["one_step_mm"]
    seeds["cut-short"] = one[:-1]
    seeds["count-0"] = with_count(one, 0)
    seeds["count-negative"] = with_count(one, -1)
    # 26 steps: one more than a control file holds.
    full = seeds["twenty_five_steps"]
    step = full[HEADER_PADDED:HEADER_PADDED + STEP_PADDED]
    seeds["twenty_six_steps"] = with_count(full + step, 27)
    # The most steps a record file may hold (99, refused by the converter
    # only for the control file's 25 slots) and one more (refused when
    # read). They also let the fuzzer make inputs of that size.
    seeds["ninety_nine_steps"] = with_count(full + step * 74, 100)
    seeds["hundred_steps"] = with_count(full + step * 75, 101)
    return seeds


def control_seeds():
    seeds = {}
    for name in ("one_step_mm", "three_steps_inch", "twenty_five_steps"):
        seeds[name] = read("program", name + ".nmb")
    seeds["header-only"] = seeds["one_step_mm"][:364]
    return seeds


# --- Tool name tables: flag byte, name, line feed, table. ---

TABLE = (b"PU-88 P88 P88S\r\n"
         b"die16 D16\n"
         b"  v12\tV12  V12S  \n"
         b"HOLDER H1 H1S\n"
         b"NOSPACE\n"
         b"onlykey \n"
         b"die16 LATER\n"
         b"\n"
         b"SP20\t\tS20\n")


def tool(name, sectional=False, table=TABLE):
    return bytes([1 if sectional else 0]) + name + b"\n" + table


def tool_seeds():
    return {
        "ordinary": tool(b"PU-88"),
        "sectional": tool(b"PU-88", sectional=True),
        "case": tool(b"DIE16"),
        "leading-blanks": tool(b"V12", sectional=True),
        "tabs": tool(b"sp20"),
        "no-match": tool(b"missing"),
        "never-matches": tool(b"NOSPACE"),
        "empty-name": tool(b""),
        "empty-table": tool(b"PU-88", table=b""),
        "long-name": tool(b"X" * 40 + b" " + b"Y" * 40),
    }


# --- Job files of the command-line host: the examples, the job with every
# kind of problem, and a few small ones on both sides of the checks. ---

MINIMAL_JOB = (b'{"Unit": 0, "Thickness": 2, "MaterialTensile": 40, '
               b'"MaterialCode": 1, "ProgramPath": "out/p.bmf"}')


def job_seeds():
    def example(name):
        with open(os.path.join(ROOT, "examples", name), "rb") as f:
            return f.read()
    bracket = example("bracket_mm.json")
    return {
        "bracket_mm": bracket,
        "bracket_inch": example("bracket_inch.json"),
        "cover_two_setups": example("cover_two_setups.json"),
        "job_with_errors": read("cli", "job_with_errors.json"),
        "minimal": MINIMAL_JOB,
        "every-record": (
            b'{"Unit": 1, "Thickness": 0.08, "MaterialTensile": 60, '
            b'"MaterialName": "Steel", "ProgramPath": "/tmp/p.bmf", '
            b'"DataPath": "data", "ToolNameTablePath": "../tools.txt", '
            b'"Steps": [{"SetupIndex": 1, "BendAngle": 90, "XX": [1, 2], '
            b'"ToolID": ["P1", "D1"], "ToolReverse": [true]}], '
            b'"Tools": [{"ToolName": "D1", "VWidth": 16}], '
            b'"Setups": [{"SetupName": "S"}], '
            b'"Machines": [{"UserMachineName": "M", "Tonnage": 100}], '
            b'"BackGauges": [{"FingerHLeft": 12.5}]}'),
        "cut-short": bracket[: len(bracket) // 2],
        "duplicate-key": MINIMAL_JOB[:-1] + b', "Unit": 1}',
        "not-an-object": b'[{"Unit": 0}]',
    }


def main():
    write_corpus("material_file", material_seeds())
    write_corpus("bend_calculate", calculate_seeds())
    write_corpus("record_file", record_seeds())
    write_corpus("control_file", control_seeds())
    write_corpus("tool_names", tool_seeds())
    write_corpus("job_file", job_seeds())


if __name__ == "__main__":
    main()

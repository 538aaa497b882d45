"""The Windows cursor file (.cur) of a 32x32 two-colour cursor, for the
scripts that draw the program's cursors."""
import struct

SIZE = 32
# Pixels: transparent, black, white.
T, B, W = 0, 1, 2


def write_cur(path, c, hot=(0, 0)):
    """Writes the cursor whose pixels are c[y][x] (T, B or W), with its hot
    spot at hot (x, y)."""
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            if c[y][x] == T:
                and_bits |= bit
            elif c[y][x] == W:
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)

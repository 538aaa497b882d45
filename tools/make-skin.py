#!/usr/bin/python3
"""Builds a skin from its source: make-skin.py SOURCE.py OUT_DIR

SOURCE.py (skins/NAME/NAME.py) defines build(canvas) -> (elements, images);
it may import skins/skinkit.py, the drawing kit the shipped skins share.
The skin is written as OUT_DIR/NAME.xml and its pictures as 24-bit BMP
files in OUT_DIR/NAME/, the layout the program reads (a skin file beside
the folder of its images). Drawing uses Pillow (Debian's python3-pil,
installed by tools/setup.sh) and the DejaVu fonts (fonts-dejavu-core).
"""
import importlib.util
import os
import shutil
import sys

from PIL import Image, ImageDraw, ImageFont

# Nothing is cached beside the skin sources (the kit is imported from the
# source tree).
sys.dont_write_bytecode = True

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


class Canvas:
    """The drawing operations a skin source uses."""

    def new(self, w, h, colour=(0, 0, 0)):
        return Image.new("RGB", (w, h), colour)

    def vertical_gradient(self, img, rect, top, bottom):
        x, y, w, h = rect
        d = ImageDraw.Draw(img)
        for i in range(h):
            t = i / max(1, h - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            d.line([(x, y + i), (x + w - 1, y + i)], fill=colour)

    def line(self, img, a, b, colour):
        ImageDraw.Draw(img).line([a, b], fill=colour)

    def panel(self, img, rect, fill, edge):
        x, y, w, h = rect
        ImageDraw.Draw(img).rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=6, fill=fill, outline=edge)

    def rounded(self, img, box, fill, edge):
        x0, y0, x1, y1 = box
        ImageDraw.Draw(img).rounded_rectangle([x0, y0, x1, y1], radius=4, fill=fill, outline=edge)

    def font(self, size, bold=False):
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
        return ImageFont.truetype(os.path.join(FONT_DIR, name), size)

    def text(self, img, at, text, colour, size, bold=False):
        ImageDraw.Draw(img).text(at, text, fill=colour, font=self.font(size, bold))

    def glyph(self, img, kind, colour):
        d = ImageDraw.Draw(img)
        if kind == "close":
            d.line([(6, 6), (13, 13)], fill=colour, width=2)
            d.line([(6, 13), (13, 6)], fill=colour, width=2)
        elif kind == "minimize":
            d.line([(6, 13), (13, 13)], fill=colour, width=2)
        elif kind == "menu":
            for y in (6, 10, 14):
                d.line([(6, y), (13, y)], fill=colour, width=1)
        else:
            raise ValueError("unknown glyph " + kind)

    def scaled(self, img, w, h):
        return img.resize((w, h), Image.LANCZOS)


def xml_attr(value):
    text = str(value)
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, out_dir = sys.argv[1], sys.argv[2]
    name = os.path.splitext(os.path.basename(source))[0]
    # The skins' shared drawing kit (skins/skinkit.py) lies beside the skin folders.
    sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(source))))
    spec = importlib.util.spec_from_file_location("skin_source_" + name, source)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    elements, images = module.build(Canvas())

    # The skin's picture folder holds this build's pictures only: pictures
    # of an earlier layout would otherwise stay in the program folder and
    # ship with it.
    image_dir = os.path.join(out_dir, name)
    shutil.rmtree(image_dir, ignore_errors=True)
    os.makedirs(image_dir)
    for file_name, img in images.items():
        img.save(os.path.join(image_dir, file_name), format="BMP")

    lines = ['<?xml version="1.0" encoding="ISO-8859-1"?>', "<TavrixVJSkin>"]
    for element, attributes in elements:
        attrs = " ".join('%s="%s"' % (k, xml_attr(v)) for k, v in attributes.items())
        lines.append("  <%s %s/>" % (element, attrs))
    lines.append("</TavrixVJSkin>")
    with open(os.path.join(out_dir, name + ".xml"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()

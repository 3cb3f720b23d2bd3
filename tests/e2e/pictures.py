"""Reading PNG pictures (screenshots, the program's own pictures) through
ImageMagick, for the end-to-end tests that compare what is shown."""
import subprocess

# The see-through key colour the program paints its background in.
KEY = "#010101"


def image_size(path):
    out = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                         check=True).stdout.split()
    return int(out[0]), int(out[1])


def pixels(path, key=None):
    """Every pixel of a PNG as {(x, y): "#RRGGBB"}; without those of the key
    colour when one is given."""
    out = subprocess.run(["convert", path, "txt:-"], capture_output=True, text=True,
                         check=True).stdout.splitlines()[1:]
    result = {}
    for line in out:
        where, rest = line.split(":", 1)
        x, y = (int(v) for v in where.split(","))
        colour = "#" + rest.split("#", 1)[1][:6].upper()
        if colour != key:
            result[(x, y)] = colour
    return result


def crop(shot, geometry, path):
    """The part (x, y, width, height) of a picture, written to `path`."""
    gx, gy, w, h = geometry
    subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, gx, gy), "+repage", path],
                   check=True)
    return path

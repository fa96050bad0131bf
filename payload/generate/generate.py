#!/usr/bin/python3
"""Writes every file of payload/assets/: the setup's pictures, icons and texts, the demo
project, and the icons of the two programs. The output depends only on this script, the
Debian packages python3-pil and fonts-dejavu-core, and fixed random seeds.

Each file of the demo project and each wizard picture is padded with comment data to the
size the setup's tables give it, so the installed tree always has the same total size.

    /usr/bin/python3 payload/generate/generate.py
"""

import io
import os
import sys


import formats
import project_assets
import texts
import wizard_pictures

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
NOTE = "Brindlex demo "


def jpeg(image, size):
    """The best-quality JPEG of `image` that fits in `size` bytes, padded to exactly that."""
    for quality in range(95, 30, -1):
        buffer = io.BytesIO()
        image.save(buffer, "JPEG", quality=quality)
        if len(buffer.getvalue()) <= size - 4:
            return formats.pad_jpeg(buffer.getvalue(), size, NOTE)
    raise ValueError("no JPEG quality fits %d bytes" % size)


def icon_8bit(image):
    data = formats.ico_bytes([(32, 8, formats.icon_image_8bit(image, wizard_pictures.PAGE_GREY))])
    assert len(data) == 2238
    return data


def program_icon(draw):
    """A program icon with 16, 32 and 48 pixel images in 32 bits and a 256-colour 32-pixel one."""
    entries = [(size, 32, formats.icon_image_32bit(draw(size))) for size in (16, 32, 48)]
    entries.append((32, 8, formats.icon_image_8bit(draw(32), (255, 255, 255))))
    return formats.ico_bytes(entries)


def outputs():
    return {
        # The wizard's own blocks.
        "picture0.png": formats.pad_png(formats.png_bytes(wizard_pictures.side_picture()), 6704, NOTE),
        "picture1.png": formats.pad_png(formats.png_bytes(wizard_pictures.corner_picture()), 7278, NOTE),
        "welcome.txt": texts.welcome(),
        "licence.txt": texts.licence(),
        "icon2.ico": icon_8bit(wizard_pictures.open_folder()),
        "icon3.ico": icon_8bit(wizard_pictures.program_group_folder()),
        "finish.txt": texts.finish(),
        # The demo project, under the names it is installed with.
        "Vomar_6k.html": texts.page(),
        "vomar6k_montag.jpg": jpeg(project_assets.assembled_board(), 7206),
        "Vomar6kplata00.gif": formats.pad_gif(project_assets.layout_gif(), 6191, NOTE),
        "Vomar_6k_bat.gif": formats.pad_gif(project_assets.channel_schematic(), 20099, NOTE),
        "Vomar_6k_bat.sfr": project_assets.register_settings(0),
        "Vomar_6k_bat_01.sfr": project_assets.register_settings(1),
        "Vomar_6k_panel.jpg": jpeg(project_assets.front_panel(), 5249),
        "Vomar_6k_plata_00.lay": project_assets.board_layout(),
        "Vomar_6k_r.gif": formats.pad_gif(project_assets.full_schematic(), 26254, NOTE),
        # Program icons: the setup's and the application's.
        "setup.ico": program_icon(wizard_pictures.setup_box),
        "brindlex.ico": program_icon(wizard_pictures.chip),
    }


def main():
    os.makedirs(ASSETS, exist_ok=True)
    for name, data in outputs().items():
        with open(os.path.join(ASSETS, name), "wb") as out:
            out.write(data)
        print("%-24s %7d bytes" % (name, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())

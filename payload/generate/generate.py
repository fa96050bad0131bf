#!/usr/bin/python3
"""Writes every file of payload/assets/: the setup's pictures, icons and text templates, the
demo project, and the icons of the two programs. The output depends only on this script, the
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

PAYLOAD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
ASSETS = os.path.join(PAYLOAD, "assets")
MANIFEST = os.path.join(PAYLOAD, "manifest.txt")
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


def asset_names():
    """The file name in payload/assets of each block that the payload manifest takes from there,
    as it is or as the template the build fills."""
    names = {}
    with open(MANIFEST, encoding="utf-8") as manifest:
        for line in manifest:
            words = line.split("#")[0].split()
            if len(words) == 9 and words[0] == "block" and words[3] in ("assets", "template"):
                names[words[1]] = words[2] + (".in" if words[3] == "template" else "")
    return names


def blocks():
    """The content of every block drawn here, by the block's name in the payload manifest."""
    return {
        # The wizard's own blocks.
        "Picture0": formats.pad_png(formats.png_bytes(wizard_pictures.side_picture()), 6704, NOTE),
        "Picture1": formats.pad_png(formats.png_bytes(wizard_pictures.corner_picture()), 7278, NOTE),
        "WelcomeText": texts.welcome(),
        "LicenceText": texts.licence(),
        "Icon2": icon_8bit(wizard_pictures.open_folder()),
        "Icon3": icon_8bit(wizard_pictures.program_group_folder()),
        "FinishText": texts.finish(),
        # The demo project.
        "ProjectPage": texts.page(),
        "MontagePhoto": jpeg(project_assets.assembled_board(), 7206),
        "BoardPicture": formats.pad_gif(project_assets.layout_gif(), 6191, NOTE),
        "ChannelSchematic": formats.pad_gif(project_assets.channel_schematic(), 20099, NOTE),
        "Settings": project_assets.register_settings(0),
        "SettingsFast": project_assets.register_settings(1),
        "PanelPhoto": jpeg(project_assets.front_panel(), 5249),
        "BoardLayout": project_assets.board_layout(),
        "Schematic": formats.pad_gif(project_assets.full_schematic(), 26254, NOTE),
    }


def outputs():
    names = asset_names()
    drawn = blocks()
    if set(names) != set(drawn):
        raise ValueError("the manifest's asset blocks %s are not the blocks drawn here %s"
                         % (sorted(names), sorted(drawn)))
    files = {names[block]: data for block, data in drawn.items()}
    # Program icons: the setup's and the application's, which are resources, not blocks.
    files["setup.ico"] = program_icon(wizard_pictures.setup_box)
    files["brindlex.ico"] = program_icon(wizard_pictures.chip)
    return files


def main():
    os.makedirs(ASSETS, exist_ok=True)
    for name, data in outputs().items():
        with open(os.path.join(ASSETS, name), "wb") as out:
            out.write(data)
        print("%-24s %7d bytes" % (name, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())

/* The embedded blocks, one after another without gaps, in their storage order. Each block's
   size is the distance from its start to the next block's start; BlockEnd marks the end of
   the last one. The texts get their terminating zero byte here. */

#define CONCAT2(a, b) a##b
#define CONCAT(a, b) CONCAT2(a, b)
#define SYMBOL(name) CONCAT(__USER_LABEL_PREFIX__, name)
#define BLOCK(name) .globl SYMBOL(name); SYMBOL(name):

        .data
BLOCK(BlockPicture0)
        .incbin "picture0.png"
BLOCK(BlockPicture1)
        .incbin "picture1.png"
BLOCK(BlockWelcomeText)
        .incbin "welcome.txt"
        .byte 0
BLOCK(BlockLicenceText)
        .incbin "licence.txt"
        .byte 0
BLOCK(BlockIcon2)
        .incbin "icon2.ico"
BLOCK(BlockIcon3)
        .incbin "icon3.ico"
BLOCK(BlockFinishText)
        .incbin "finish.txt"
        .byte 0
BLOCK(BlockApplication)
        .incbin "Brindlex.exe"
BLOCK(BlockProjectPage)
        .incbin "Vomar_6k.html"
BLOCK(BlockMontagePhoto)
        .incbin "vomar6k_montag.jpg"
BLOCK(BlockBoardPicture)
        .incbin "Vomar6kplata00.gif"
BLOCK(BlockChannelSchematic)
        .incbin "Vomar_6k_bat.gif"
BLOCK(BlockSettings)
        .incbin "Vomar_6k_bat.sfr"
BLOCK(BlockSettingsFast)
        .incbin "Vomar_6k_bat_01.sfr"
BLOCK(BlockPanelPhoto)
        .incbin "Vomar_6k_panel.jpg"
BLOCK(BlockBoardLayout)
        .incbin "Vomar_6k_plata_00.lay"
BLOCK(BlockSchematic)
        .incbin "Vomar_6k_r.gif"
BLOCK(BlockEnd)

/* The sizes, in the same order, as differences the assembler resolves itself. */
        .section .rdata
        .balign 4
BLOCK(BlockSizes)
        .long SYMBOL(BlockPicture1) - SYMBOL(BlockPicture0)
        .long SYMBOL(BlockWelcomeText) - SYMBOL(BlockPicture1)
        .long SYMBOL(BlockLicenceText) - SYMBOL(BlockWelcomeText)
        .long SYMBOL(BlockIcon2) - SYMBOL(BlockLicenceText)
        .long SYMBOL(BlockIcon3) - SYMBOL(BlockIcon2)
        .long SYMBOL(BlockFinishText) - SYMBOL(BlockIcon3)
        .long SYMBOL(BlockApplication) - SYMBOL(BlockFinishText)
        .long SYMBOL(BlockProjectPage) - SYMBOL(BlockApplication)
        .long SYMBOL(BlockMontagePhoto) - SYMBOL(BlockProjectPage)
        .long SYMBOL(BlockBoardPicture) - SYMBOL(BlockMontagePhoto)
        .long SYMBOL(BlockChannelSchematic) - SYMBOL(BlockBoardPicture)
        .long SYMBOL(BlockSettings) - SYMBOL(BlockChannelSchematic)
        .long SYMBOL(BlockSettingsFast) - SYMBOL(BlockSettings)
        .long SYMBOL(BlockPanelPhoto) - SYMBOL(BlockSettingsFast)
        .long SYMBOL(BlockBoardLayout) - SYMBOL(BlockPanelPhoto)
        .long SYMBOL(BlockSchematic) - SYMBOL(BlockBoardLayout)
        .long SYMBOL(BlockEnd) - SYMBOL(BlockSchematic)

/* The CRC-32 of each block, in the same order: written at build time by block-crcs.sh from
   the bytes laid out above. */
        .balign 4
BLOCK(BlockCrcs)
        .include "block-crcs.inc"

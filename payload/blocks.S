/* The embedded blocks, one after another without gaps, in the storage order of
   payload/manifest.txt, which block-layout.inc spells out. Each block's size is the
   distance from its start to the next block's start; BlockEnd marks the end of the last
   one. The texts get their terminating zero byte in the layout. */

#define CONCAT2(a, b) a##b
#define CONCAT(a, b) CONCAT2(a, b)
#define SYMBOL(name) CONCAT(__USER_LABEL_PREFIX__, name)
#define BLOCK(name) .globl SYMBOL(name); SYMBOL(name):

        .data
#include "block-layout.inc"

/* The sizes, in the same order, as differences the assembler resolves itself. */
        .section .rdata
        .balign 4
BLOCK(BlockSizes)
#include "block-sizes.inc"

/* The CRC-32 of each block, in the same order: written at build time by block-crcs.sh from
   the bytes block-layout.inc lays out. */
        .balign 4
BLOCK(BlockCrcs)
        .include "block-crcs.inc"

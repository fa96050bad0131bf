#include "payload/payload.h"

namespace {

// The blocks in the order blocks.S lays them out; BlockSizes has one entry for each.
enum BlockIndex {
  Picture0, Picture1, Welcome, Licence, Icon2, Icon3, Finish,
  Application, ProjectPage, MontagePhoto, BoardPicture, ChannelSchematic,
  Settings, SettingsFast, PanelPhoto, BoardLayout, Schematic,
  BlockCount
};

}  // namespace

extern "C" {
extern const uint8_t BlockPicture0[], BlockPicture1[], BlockWelcomeText[], BlockLicenceText[],
    BlockIcon2[], BlockIcon3[], BlockFinishText[], BlockApplication[], BlockProjectPage[],
    BlockMontagePhoto[], BlockBoardPicture[], BlockChannelSchematic[], BlockSettings[],
    BlockSettingsFast[], BlockPanelPhoto[], BlockBoardLayout[], BlockSchematic[];
extern const int32_t BlockSizes[BlockCount];
}

const PayloadEntry PayloadTable[PayloadCount] = {
    {"Brindlex.exe",          DestinationFolder,  BlockApplication,      BlockSizes[Application]},
    {"License.txt",           DestinationFolder,  BlockLicenceText,      BlockSizes[Licence]},
    {"Vomar_6k.html",         ProjectsFolder,     BlockProjectPage,      BlockSizes[ProjectPage]},
    {"vomar6k_montag.jpg",    ProjectFilesFolder, BlockMontagePhoto,     BlockSizes[MontagePhoto]},
    {"Vomar6kplata00.gif",    ProjectFilesFolder, BlockBoardPicture,     BlockSizes[BoardPicture]},
    {"Vomar_6k_bat.gif",      ProjectFilesFolder, BlockChannelSchematic, BlockSizes[ChannelSchematic]},
    {"Vomar_6k_bat.sfr",      ProjectFilesFolder, BlockSettings,         BlockSizes[Settings]},
    {"Vomar_6k_bat_01.sfr",   ProjectFilesFolder, BlockSettingsFast,     BlockSizes[SettingsFast]},
    {"Vomar_6k_panel.jpg",    ProjectFilesFolder, BlockPanelPhoto,       BlockSizes[PanelPhoto]},
    {"Vomar_6k_plata_00.lay", ProjectFilesFolder, BlockBoardLayout,      BlockSizes[BoardLayout]},
    {"Vomar_6k_r.gif",        ProjectFilesFolder, BlockSchematic,        BlockSizes[Schematic]},
};

EmbeddedBlock EmbeddedPicture(int number) {
  switch (number) {
    case 0: return {BlockPicture0, BlockSizes[Picture0]};
    case 1: return {BlockPicture1, BlockSizes[Picture1]};
    default: return {nullptr, 0};
  }
}

EmbeddedBlock EmbeddedIcon(int number) {
  switch (number) {
    case 2: return {BlockIcon2, BlockSizes[Icon2]};
    case 3: return {BlockIcon3, BlockSizes[Icon3]};
    default: return {nullptr, 0};
  }
}

const char* WelcomeText() { return reinterpret_cast<const char*>(BlockWelcomeText); }
const char* LicenceText() { return reinterpret_cast<const char*>(BlockLicenceText); }
const char* FinishText() { return reinterpret_cast<const char*>(BlockFinishText); }

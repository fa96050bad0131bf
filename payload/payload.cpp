#include "payload/payload.h"

namespace {

// The blocks in the order blocks.S lays them out; BlockSizes and BlockCrcs have one entry
// for each.
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
extern const uint32_t BlockCrcs[BlockCount];
}

const PayloadEntry PayloadTable[PayloadCount] = {
    {"Brindlex.exe",          DestinationFolder,  BlockApplication,      BlockSizes[Application],       BlockCrcs[Application]},
    {"License.txt",           DestinationFolder,  BlockLicenceText,      BlockSizes[Licence],           BlockCrcs[Licence]},
    {"Vomar_6k.html",         ProjectsFolder,     BlockProjectPage,      BlockSizes[ProjectPage],       BlockCrcs[ProjectPage]},
    {"vomar6k_montag.jpg",    ProjectFilesFolder, BlockMontagePhoto,     BlockSizes[MontagePhoto],      BlockCrcs[MontagePhoto]},
    {"Vomar6kplata00.gif",    ProjectFilesFolder, BlockBoardPicture,     BlockSizes[BoardPicture],      BlockCrcs[BoardPicture]},
    {"Vomar_6k_bat.gif",      ProjectFilesFolder, BlockChannelSchematic, BlockSizes[ChannelSchematic],  BlockCrcs[ChannelSchematic]},
    {"Vomar_6k_bat.sfr",      ProjectFilesFolder, BlockSettings,         BlockSizes[Settings],          BlockCrcs[Settings]},
    {"Vomar_6k_bat_01.sfr",   ProjectFilesFolder, BlockSettingsFast,     BlockSizes[SettingsFast],      BlockCrcs[SettingsFast]},
    {"Vomar_6k_panel.jpg",    ProjectFilesFolder, BlockPanelPhoto,       BlockSizes[PanelPhoto],        BlockCrcs[PanelPhoto]},
    {"Vomar_6k_plata_00.lay", ProjectFilesFolder, BlockBoardLayout,      BlockSizes[BoardLayout],       BlockCrcs[BoardLayout]},
    {"Vomar_6k_r.gif",        ProjectFilesFolder, BlockSchematic,        BlockSizes[Schematic],         BlockCrcs[Schematic]},
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

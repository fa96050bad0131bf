// The wizard window with every gadget of every page, made once before the window is shown.
// The gadget table below is the whole layout: creation order, numbers, places, texts, fonts,
// colours and initial states.
#include "wizard/build_wizard.h"
#include <windows.h>
#include "image/image.h"
#include "install/installation.h"
#include "payload/payload.h"
#include "payload/product_names.h"
#include "payload/product_version.h"
#include "runtime/strings.h"
#include "shell/drives.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/window.h"
#include "wizard/gadgets.h"
#include "wizard/layout_scale.h"
#include "wizard/navigation.h"
#include "wizard/program.h"
#include "wizard/start_menu_list.h"

namespace {

constexpr int32_t WindowGrey = 0x969696;  // RGB(150, 150, 150)
constexpr int32_t PageGrey = 0xBEBEBE;    // RGB(190, 190, 190)
constexpr int32_t LightGrey = 0xDCDCDC;   // RGB(220, 220, 220)
constexpr int32_t NoColor = -1;
const HFONT StockFont = reinterpret_cast<HFONT>(-1);  // the toolkit's stock default font

// Centred on the screen, caption, system menu and minimise box, opened hidden.
constexpr uint32_t WizardWindowFlags = WindowCentreOnScreen | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                       WindowOpenHidden;
static_assert(WizardWindowFlags == 0x10CA0001, "wizard window flags");

constexpr uint32_t LicenceFieldFlags = ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
static_assert(LicenceFieldFlags == 2097223, "licence field flags");
// The licence can be scrolled and selected but not changed: read-only from its creation.
constexpr uint32_t LicenceFieldReadOnly = LicenceFieldFlags | ES_READONLY;
constexpr uint32_t SmoothBar = 1;

enum class Make : uint8_t {
  Button,
  CheckBox,
  EditField,
  Label,
  ListBox,
  ImageBox,     // flags: the number of the picture, decoded right before the box
  Container,    // its gadget list stays open for the rows that follow
  ProgressBar,  // flags: the native style; range 0 to InstallLastPosition
  TextEditor,
  CloseList,    // not a gadget: closes the list of the container named by the row's number
};

// A text at creation: text, then what is inserted, then textAfter.
enum class Insert : uint8_t {
  Nothing,
  ProductTitle,
  ProgramFilesPath,
  WelcomeText,
  LicenceText,
  FreeMegabytes,  // of the drive of the destination field, created before this row
};

enum class Then : uint8_t {
  Nothing,
  Hide,
  FillWithFolders,
  Check,
};

struct GadgetRow {
  int32_t number;
  Make make;
  int16_t x, y, width, height;
  const char* text;
  Insert insert;
  const char* textAfter;
  uint32_t flags;
  HFONT* font;  // one of the wizard's fonts, or null for the default font
  int32_t background;
  Then then;
};

#define NO_TEXT nullptr, Insert::Nothing, nullptr

const GadgetRow Layout[] = {
    // Button row.
    {BtnBack, Make::Button, 240, 325, 80, 24, "< Назад", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Hide},
    {BtnNext, Make::Button, 324, 325, 80, 24, "Далее >", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Nothing},
    {BtnInstall, Make::Button, 324, 325, 80, 24, "Установить", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Hide},
    {BtnCancel, Make::Button, 410, 325, 80, 24, "Отмена", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Nothing},
    {BtnFinish, Make::Button, 410, 325, 80, 24, "Завершить", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Hide},
    {ImgCorner, Make::ImageBox, 442, 4, 54, 54, NO_TEXT, 1, nullptr, NoColor, Then::Nothing},

    // Page 0: welcome, later the finish screen.
    {PnlWelcome, Make::Container, 0, 0, 500, 312, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey, Then::Nothing},
    {ImgSide, Make::ImageBox, 0, 0, 160, 310, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},
    {TxtWelcomeTitle, Make::Label, 190, 20, 280, 50, "Добро пожаловать в мастер установки " BRX_PRODUCT_TITLE,
     Insert::Nothing, nullptr, 0, &FontTitle, PageGrey, Then::Nothing},
    {TxtWelcomeBody, Make::Label, 190, 80, 280, 160, "", Insert::WelcomeText, nullptr, 0, &FontBody, PageGrey,
     Then::Nothing},
    {PnlWelcome, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Page 1: licence agreement.
    {PnlLicence, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey, Then::Hide},
    {TxtLicenceHint, Make::Label, 20, 10, 490, 20,
     "Используйте клавиши \"PageUp\" и \"PageDown\" для перемещения по тексту", Insert::Nothing, nullptr, 0,
     &FontBody, PageGrey, Then::Nothing},
    {EdLicence, Make::EditField, 20, 30, 460, 170, "", Insert::LicenceText, nullptr, LicenceFieldReadOnly,
     &FontBody, LightGrey, Then::Nothing},
    {ChkAccept, Make::CheckBox, 20, 222, 13, 13, "", Insert::Nothing, nullptr, 0, nullptr, NoColor, Then::Nothing},
    {TxtAccept, Make::Label, 40, 220, 390, 20, "Я принимаю условия лицензионного соглашения", Insert::Nothing,
     nullptr, 0, &FontBody, PageGrey, Then::Nothing},
    {PnlLicence, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Header strip of pages 1 to 6, hidden only once its list is closed.
    {PnlHeader, Make::Container, 4, 4, 434, 54, NO_TEXT, ContainerStaticEdge, nullptr, LightGrey, Then::Nothing},
    {TxtHeading, Make::Label, 10, 0, 400, 17, "Пробный заголовок", Insert::Nothing, nullptr, 0, &FontHeading,
     LightGrey, Then::Nothing},
    {TxtSubheading, Make::Label, 30, 17, 380, 34, "Пробный текст", Insert::Nothing, nullptr, 0, &FontSmall,
     LightGrey, Then::Nothing},
    {PnlHeader, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Hide},

    // Page 2: destination folder.
    {PnlDestination, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey,
     Then::Hide},
    {ImgDestination, Make::ImageBox, 40, 15, 32, 32, NO_TEXT, 2, nullptr, NoColor, Then::Nothing},
    {TxtDestinationIntro, Make::Label, 80, 24, 350, 15, "Программа установит ", Insert::ProductTitle,
     "  в следующую папку:", 0, &FontSmall, PageGrey, Then::Nothing},
    {TxtDestinationHint, Make::Label, 40, 58, 350, 30,
     "Нажмите \"Далее\", чтобы продолжить.\nЕсли Вы хотите выбрать другую папку, нажмите \"Обзор\"",
     Insert::Nothing, nullptr, 0, &FontSmall, PageGrey, Then::Nothing},
    {FldDestination, Make::EditField, 40, 90, 350, 20, "", Insert::ProgramFilesPath, ProductFolder, 0, nullptr,
     NoColor, Then::Nothing},
    {BtnBrowse, Make::Button, 400, 88, 80, 24, "Обзор", Insert::Nothing, nullptr, 0, nullptr, NoColor,
     Then::Nothing},
    {TxtSpaceNeeded, Make::Label, 40, 200, 400, 15,
     "Требуется " BRX_SPACE_NEEDED_KB " Кб свободного дискового пространства", Insert::Nothing, nullptr, 0,
     &FontSmall, PageGrey, Then::Nothing},
    {TxtFreeSpace, Make::Label, 40, 220, 400, 15, "", Insert::FreeMegabytes, nullptr, 0, &FontSmall, PageGrey,
     Then::Nothing},
    {PnlDestination, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Page 3: Start-menu folder.
    {PnlStartMenu, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey, Then::Hide},
    {ImgStartMenu, Make::ImageBox, 40, 15, 32, 32, NO_TEXT, 3, nullptr, NoColor, Then::Nothing},
    {TxtStartMenuIntro, Make::Label, 80, 24, 350, 15, "Программа создаст ярлыки в следующей папке меню \"Пуск\":",
     Insert::Nothing, nullptr, 0, &FontSmall, PageGrey, Then::Nothing},
    {TxtStartMenuHint, Make::Label, 40, 50, 350, 30,
     "Выберите папку в меню\"Пуск\", куда будут помещены ярлыки программы. Вы также можете ввести другое имя папки",
     Insert::Nothing, nullptr, 0, &FontSmall, PageGrey, Then::Nothing},
    {FldStartMenuFolder, Make::EditField, 40, 82, 400, 20, ProductName, Insert::Nothing, nullptr, 0, nullptr,
     NoColor, Then::Nothing},
    {LstStartMenu, Make::ListBox, 40, 105, 400, 120, NO_TEXT, 0, nullptr, NoColor, Then::FillWithFolders},
    {ChkNoShortcuts, Make::CheckBox, 42, 232, 13, 13, "Не создавать ярлыки", Insert::Nothing, nullptr, 0, nullptr,
     NoColor, Then::Nothing},
    {TxtNoShortcuts, Make::Label, 60, 230, 350, 15, "Не создавать ярлыки", Insert::Nothing, nullptr, 0,
     &FontSmall, PageGrey, Then::Nothing},
    {PnlStartMenu, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Page 4: additional tasks.
    {PnlTasks, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey, Then::Hide},
    {TxtTasksIntro, Make::Label, 40, 15, 450, 60,
     "Выберите дополнительные задачи, которые должны выполнятся при установке ", Insert::ProductTitle,
     ", после этого нажмите \"Далее\"\n\nДополнительные задачи:", 0, &FontSmall, PageGrey, Then::Nothing},
    {ChkDesktopIcon, Make::CheckBox, 40, 80, 13, 13, "", Insert::Nothing, nullptr, 0, nullptr, NoColor,
     Then::Check},
    {TxtDesktopIcon, Make::Label, 60, 80, 350, 15, "Создать значок на рабочем столе", Insert::Nothing, nullptr, 0,
     &FontSmall, PageGrey, Then::Nothing},
    {ChkQuickLaunch, Make::CheckBox, 40, 100, 13, 13, "", Insert::Nothing, nullptr, 0, nullptr, NoColor,
     Then::Nothing},
    {TxtQuickLaunch, Make::Label, 60, 100, 350, 15, "Создать значок на Панели быстрого запуска", Insert::Nothing,
     nullptr, 0, &FontSmall, PageGrey, Then::Nothing},
    {PnlTasks, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Page 5: ready to install.
    {PnlReady, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey, Then::Hide},
    {TxtReadyHint, Make::Label, 40, 15, 400, 35,
     "Нажмите \"Установить\", чтобы продолжить, или \"Назад\", если Вы хотите просмотреть или изменить опции "
     "установки.",
     Insert::Nothing, nullptr, 0, &FontSmall, PageGrey, Then::Nothing},
    {EdSummary, Make::TextEditor, 40, 50, 400, 180, NO_TEXT, ES_READONLY, &FontSmall, LightGrey, Then::Nothing},
    {PnlReady, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},

    // Page 6: installing.
    {PnlInstalling, Make::Container, 0, 62, 500, 250, NO_TEXT, ContainerStaticEdge, nullptr, PageGrey,
     Then::Hide},
    {TxtInstallStep, Make::Label, 40, 15, 400, 15, "Распаковка файлов...", Insert::Nothing, nullptr, 0, &FontSmall,
     PageGrey, Then::Nothing},
    {TxtInstallFile, Make::Label, 40, 35, 450, 15, "", Insert::Nothing, nullptr, 0, &FontSmall, PageGrey,
     Then::Nothing},
    {PrgInstall, Make::ProgressBar, 40, 58, 420, 22, NO_TEXT, SmoothBar, nullptr, NoColor, Then::Nothing},
    {PnlInstalling, Make::CloseList, 0, 0, 0, 0, NO_TEXT, 0, nullptr, NoColor, Then::Nothing},
};

#undef NO_TEXT

// The four pictures of the wizard, by image number, at the display's density.
HANDLE DecodePicture(int32_t image) {
  EmbeddedBlock block = image < 2 ? EmbeddedPicture(image) : EmbeddedIcon(image);
  if (!ImageFromMemory(image, block.data, block.size)) return nullptr;
  return ImageScale(image, ScreenDpi, 96);
}

// A row's place in pixels of this display.
struct Place {
  int x, y, width, height;
};

Place PlaceOf(const GadgetRow& row) {
  return {ToScreen(row.x), ToScreen(row.y), ToScreen(row.width), ToScreen(row.height)};
}

void AppendInsert(ScratchText* text, Insert insert) {
  switch (insert) {
    case Insert::Nothing: break;
    case Insert::ProductTitle: text->Append(ProductTitle); break;
    case Insert::ProgramFilesPath: text->Append(ProgramFilesPath); break;
    case Insert::WelcomeText: StrFromEmbeddedText(WelcomeText(), ScratchMark()); break;
    case Insert::LicenceText: StrFromEmbeddedText(LicenceText(), ScratchMark()); break;
    case Insert::FreeMegabytes: {
      int32_t megabytes;
      {
        ScratchText destination, drive;
        GadgetGetText(FldDestination, destination.Start());
        StrLeft(destination.Pass(), 2, drive.Start());
        megabytes = DriveFreeMegabytes(drive.Pass());
      }
      AppendFreeSpaceLine(text, megabytes);
      break;
    }
  }
}

void Create(const GadgetRow& row, const char* text) {
  Place at = PlaceOf(row);
  switch (row.make) {
    case Make::Button: CreateButton(row.number, at.x, at.y, at.width, at.height, text); break;
    case Make::CheckBox: CreateCheckBox(row.number, at.x, at.y, at.width, at.height, text); break;
    case Make::EditField:
      CreateEditField(row.number, at.x, at.y, at.width, at.height, text, row.flags);
      break;
    case Make::Label: CreateLabel(row.number, at.x, at.y, at.width, at.height, text); break;
    case Make::ListBox: CreateListBox(row.number, at.x, at.y, at.width, at.height); break;
    case Make::ImageBox: {
      HANDLE picture = DecodePicture((int32_t)row.flags);
      CreateImageBox(row.number, at.x, at.y, at.width, at.height, picture);
      break;
    }
    case Make::Container: CreateContainer(row.number, at.x, at.y, at.width, at.height, row.flags); break;
    case Make::ProgressBar:
      CreateProgressBar(row.number, at.x, at.y, at.width, at.height, 0, InstallLastPosition, row.flags);
      break;
    case Make::TextEditor: CreateTextEditor(row.number, at.x, at.y, at.width, at.height, row.flags); break;
    case Make::CloseList: GadgetListClose(); break;
  }
}

void Finish(const GadgetRow& row) {
  switch (row.then) {
    case Then::Nothing: break;
    case Then::Hide:
      if (row.make == Make::CloseList) GadgetHide(row.number, 1);
      break;
    case Then::FillWithFolders: ListStartMenuFolders(row.number, CommonProgramsPath); break;
    case Then::Check: GadgetSetState(row.number, 1); break;
  }
}

void Build(const GadgetRow& row) {
  // The gadget's font is the default font while it is made, so that it is given its font
  // once, at creation, instead of the default font first and its own right after.
  GadgetSetFont(-1, row.font ? *row.font : StockFont);
  // A gadget marked hidden is created hidden; the header strip, hidden only once its list
  // is closed, is hidden by its closing row.
  GadgetCreateHidden(row.then == Then::Hide && row.make != Make::CloseList);
  {
    ScratchText text;
    text.Append(row.text);
    AppendInsert(&text, row.insert);
    text.Append(row.textAfter);
    Create(row, text.Pass());
  }
  if (row.make != Make::CloseList && row.background != NoColor)
    GadgetSetColor(row.number, ColorBack, row.background);
  Finish(row);
}

}  // namespace

void BuildWizard() {
  // A damaged picture or icon is left out rather than decoded.
  CheckShownPictures();
  if (!WindowOpen(WizardWindow, ToScreen(212), ToScreen(161), ToScreen(500), ToScreen(358),
                  "Установка программы " BRX_PRODUCT_TITLE, WizardWindowFlags))
    return;
  WindowSetColor(WizardWindow, WindowGrey);
  for (const GadgetRow& row : Layout) Build(row);
  GadgetSetFont(-1, StockFont);
  GadgetCreateHidden(0);
}

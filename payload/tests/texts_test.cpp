// The welcome and finish texts, byte for byte: their templates filled with this build's
// title (the licence is the installed payload's). The literals here are compiled to
// Windows-1251, the encoding the blocks hold.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"
#include "payload/product_version.h"

namespace {

std::string Text(EmbeddedText text) { return std::string(text.text, text.length); }

// Each text holds the title once: its length with a title of 14 characters (a version of
// three), moved by the difference.
constexpr int Moved = static_cast<int>(sizeof(BRX_PRODUCT_TITLE) - 1) - 14;

}  // namespace

TEST(PayloadTexts, WelcomeText) {
  EXPECT_EQ(std::string(
                "Эта программа установит " BRX_PRODUCT_TITLE "\r\nна ваш компьютер.\r\n\r\n"
                "Перед началом установки рекомендуется закрыть все работающие приложения. "
                "Это позволит обновить системные файлы без перезагрузки.\r\n\r\n"
                "Нажмите кнопку \"Далее\" для продолжения установки."),
            Text(WelcomeText()));
  EXPECT_EQ(242 + Moved, WelcomeText().length);
}

TEST(PayloadTexts, FinishText) {
  EXPECT_EQ(std::string("Программа " BRX_PRODUCT_TITLE " успешно установлена на Ваш компьютер.\r\n\r\n"
                        "Нажмите кнопку \"Завершить\" для выхода из мастера установки."),
            Text(FinishText()));
  EXPECT_EQ(125 + Moved, FinishText().length);
}

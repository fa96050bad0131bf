// The welcome and finish texts, byte for byte (the licence is the installed payload's). The literals here are compiled to
// Windows-1251, the encoding the blocks hold.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"

namespace {

std::string Text(EmbeddedText text) { return std::string(text.text, text.length); }

}  // namespace

TEST(PayloadTexts, WelcomeText) {
  EXPECT_EQ(std::string(
                "Эта программа установит Brindlex v 1.0\r\nна ваш компьютер.\r\n\r\n"
                "Перед началом установки рекомендуется закрыть все работающие приложения. "
                "Это позволит обновить системные файлы без перезагрузки.\r\n\r\n"
                "Нажмите кнопку \"Далее\" для продолжения установки."),
            Text(WelcomeText()));
  EXPECT_EQ(242, WelcomeText().length);
}

TEST(PayloadTexts, FinishText) {
  EXPECT_EQ(std::string("Программа Brindlex v 1.0 успешно установлена на Ваш компьютер.\r\n\r\n"
                        "Нажмите кнопку \"Завершить\" для выхода из мастера установки."),
            Text(FinishText()));
  EXPECT_EQ(125, FinishText().length);
}

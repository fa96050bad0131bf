// The welcome, licence and finish texts, byte for byte. The literals here are compiled to
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

TEST(PayloadTexts, LicenceText) {
  const std::string stars(68, '*');
  const std::string expected =
      stars + "\r\n" +
      "          Brindlex v 1.0 - программатор микроконтроллеров\r\n" +
      stars + "\r\n" +
      "\r\n" +
      std::string(31, ' ') + "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ\r\n" +
      "\r\n"
      "Программа Brindlex распространяется бесплатно и предоставляется \"как есть\", "
      "без каких-либо гарантий. Автор не отвечает за ущерб от её использования.\r\n"
      "Разрешается свободно копировать и распространять программу, если её файлы "
      "передаются без изменений и вместе с этим соглашением.\r\n"
      "\r\n"
      "Устанавливая программу, Вы принимаете все условия этого соглашения.\r\n"
      "\r\n"
      "Ваши вопросы, замечания и пожелания направляйте:\r\n"
      "в форум Автора:          forum.brindlex.example\r\n"
      "или по email:                avtor@brindlex.example\r\n";
  EXPECT_EQ(expected, Text(LicenceText()));
  EXPECT_EQ(763u, expected.size());
}

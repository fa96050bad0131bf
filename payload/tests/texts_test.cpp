// The welcome, licence and finish texts, byte for byte: the welcome and finish templates
// filled with this build's title, the demo payload's licence. The literals here are
// compiled to Windows-1251, the encoding the blocks hold.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"
#include "payload/product_version.h"
#include "payload/tests/manifest_reader.h"

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

TEST(PayloadTexts, LicenceText) {
  if (!DemoPayload()) GTEST_SKIP() << "the demo payload's own content";
  const std::string stars(68, '*');
  const std::string expected =
      stars + "\r\n" +
      "          " BRX_PRODUCT_TITLE " - программатор микроконтроллеров\r\n" +
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
  EXPECT_EQ(763u + Moved, expected.size());
}

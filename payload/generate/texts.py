"""The wizard's long texts, the licence and the demo project's page, as Windows-1251 bytes.
The three texts that name the product's version are templates: the build puts the title in
place of TITLE (payload/templates.cmake)."""

TITLE = "@BRX_PRODUCT_TITLE@"

WELCOME = ("Эта программа установит " + TITLE + "\r\nна ваш компьютер.\r\n\r\n"
           "Перед началом установки рекомендуется закрыть все работающие приложения. "
           "Это позволит обновить системные файлы без перезагрузки.\r\n\r\n"
           "Нажмите кнопку \"Далее\" для продолжения установки.")

FINISH = ("Программа " + TITLE + " успешно установлена на Ваш компьютер.\r\n\r\n"
          "Нажмите кнопку \"Завершить\" для выхода из мастера установки.")

FORUM_ADDRESS = "forum.brindlex.example"
MAIL_ADDRESS = "avtor@brindlex.example"

LICENCE_LINES = [
    "*" * 68,
    " " * 10 + TITLE + " - программатор микроконтроллеров",
    "*" * 68,
    "",
    " " * 31 + "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ",
    "",
    "Программа Brindlex распространяется бесплатно и предоставляется \"как есть\", "
    "без каких-либо гарантий. Автор не отвечает за ущерб от её использования.",
    "Разрешается свободно копировать и распространять программу, если её файлы "
    "передаются без изменений и вместе с этим соглашением.",
    "",
    "Устанавливая программу, Вы принимаете все условия этого соглашения.",
    "",
    "Ваши вопросы, замечания и пожелания направляйте:",
    "в форум Автора:" + " " * 10 + FORUM_ADDRESS,
    "или по email:" + " " * 16 + MAIL_ADDRESS,
]


def cp1251(text):
    return text.encode("cp1251")


def untitled_length(data):
    """The bytes of a template apart from its one title. With a title of 14 characters (a
    version of three), the welcome text is 242 bytes, the finish text 125 and the licence
    763, of which lines 1 to 12 take 661."""
    assert data.count(TITLE.encode("ascii")) == 1
    return len(data) - len(TITLE)


def welcome():
    data = cp1251(WELCOME)
    assert untitled_length(data) == 242 - 14
    return data


def finish():
    data = cp1251(FINISH)
    assert untitled_length(data) == 125 - 14
    return data


def licence():
    data = cp1251("".join(line + "\r\n" for line in LICENCE_LINES))
    fixed = cp1251("".join(line + "\r\n" for line in LICENCE_LINES[:12]))
    assert untitled_length(fixed) == 661 - 14 and len(FORUM_ADDRESS) + len(MAIL_ADDRESS) == 44
    assert untitled_length(data) == 763 - 14
    return data


PAGE_SIZE = 6720

PAGE = """\
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">
<title>Вомар-6К: зарядное устройство на микроконтроллере</title>
<style type="text/css">
body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; background: #f4f4ec; color: #202020; margin: 16px 32px; }
h1 { font-size: 18pt; color: #1c3c78; border-bottom: 2px solid #1c3c78; }
h2 { font-size: 12pt; color: #1c3c78; margin-top: 24px; }
table.photos td { padding: 4px 12px 4px 0; vertical-align: top; font-size: 9pt; }
table.parts { border-collapse: collapse; font-size: 9pt; }
table.parts th { background: #dcdcd0; text-align: left; }
p.nav { font-size: 9pt; }
p.note { font-size: 9pt; color: #606060; }
img { border: 1px solid #808080; }
</style>
</head>
<body>
<p class="nav"><a href="index.html">&lt;&lt; К списку проектов</a></p>

<h1>Вомар-6К: шестиканальное зарядное устройство</h1>

<p>Вомар-6К заряжает одновременно до шести никель-металлгидридных аккумуляторов
типоразмеров AA и AAA. Каждый канал работает независимо: микроконтроллер измеряет
напряжение и температуру аккумулятора, управляет током заряда и прекращает заряд по
спаду напряжения или по перегреву. Состояние каналов показывают шесть светодиодов
на передней панели, текущие значения выводятся на двухстрочный индикатор.</p>

<table class="photos" summary="Внешний вид">
<tr>
<td><a href="Vomar_6k_files/vomar6k_montag.jpg"><img src="Vomar_6k_files/vomar6k_montag.jpg" width="160" height="160" alt="Собранная плата"></a><br>Собранная плата</td>
<td><a href="Vomar_6k_files/Vomar_6k_panel.jpg"><img src="Vomar_6k_files/Vomar_6k_panel.jpg" width="160" height="153" alt="Передняя панель"></a><br>Передняя панель</td>
</tr>
</table>

<h2>Основные характеристики</h2>
<ul>
<li>Число каналов: 6, каждый с собственным ключом и датчиком тока.</li>
<li>Ток заряда: от 100 до 1000 мА, задаётся программно для каждого канала.</li>
<li>Окончание заряда: по спаду напряжения (-dV), по температуре и по таймеру.</li>
<li>Разряд перед зарядом для устранения эффекта памяти (по выбору).</li>
<li>Питание: 12 В от внешнего сетевого адаптера, потребляемый ток до 4 А.</li>
</ul>

<h2>Принципиальная схема</h2>
<p>Схема устройства целиком. Микроконтроллер опрашивает шесть каналов через
аналоговый мультиплексор, ключи каналов управляются сдвиговым регистром.
Нажмите на рисунок, чтобы открыть его в полном размере.</p>
<p><a href="Vomar_6k_files/Vomar_6k_r.gif"><img src="Vomar_6k_files/Vomar_6k_r.gif" width="270" height="270" alt="Принципиальная схема"></a></p>

<h2>Канал зарядки</h2>
<p>Один канал подробно: полевой транзистор, шунт для измерения тока, делитель для
измерения напряжения и терморезистор, прижатый к аккумулятору.</p>
<p><a href="Vomar_6k_files/Vomar_6k_bat.gif"><img src="Vomar_6k_files/Vomar_6k_bat.gif" width="282" height="266" alt="Схема канала зарядки"></a></p>

<h2>Печатная плата</h2>
<p>Односторонняя плата размером 100 на 100 мм. Файл разводки:
<a href="Vomar_6k_files/Vomar_6k_plata_00.lay">Vomar_6k_plata_00.lay</a>.
Перед изготовлением проверьте масштаб при печати: плата рассчитана на выводные детали.</p>

<h2>Настройка микроконтроллера</h2>
<p>Для программирования микроконтроллера подготовлены два файла настроек регистров.
Откройте нужный файл в программе Brindlex и запишите его в микроконтроллер:</p>
<ul>
<li><a href="Vomar_6k_files/Vomar_6k_bat.sfr">Vomar_6k_bat.sfr</a> - основной вариант: заряд током 0,1 ёмкости
без предварительного разряда;</li>
<li><a href="Vomar_6k_files/Vomar_6k_bat_01.sfr">Vomar_6k_bat_01.sfr</a> - ускоренный вариант: заряд током 0,5 ёмкости
с разрядом до 1 В на элемент перед зарядом.</li>
</ul>

<h2>Перечень элементов</h2>
<table class="parts" border="1" cellspacing="0" cellpadding="3" summary="Перечень элементов">
<tr><th>Обозначение</th><th>Наименование</th><th>Кол.</th></tr>
<tr><td>DD1</td><td>Микроконтроллер, 18 выводов</td><td>1</td></tr>
<tr><td>DD2</td><td>Сдвиговый регистр, 8 разрядов</td><td>1</td></tr>
<tr><td>DA1</td><td>Аналоговый мультиплексор, 8 каналов</td><td>1</td></tr>
<tr><td>DA2</td><td>Стабилизатор напряжения 5 В</td><td>1</td></tr>
<tr><td>VT1-VT6</td><td>Полевой транзистор, N-канал, 30 В, 10 А</td><td>6</td></tr>
<tr><td>R1-R6</td><td>Шунт 0,22 Ом, 1 Вт</td><td>6</td></tr>
<tr><td>R7-R18</td><td>Резистор 10 кОм, 0,125 Вт</td><td>12</td></tr>
<tr><td>RK1-RK6</td><td>Терморезистор 10 кОм</td><td>6</td></tr>
<tr><td>HL1-HL6</td><td>Светодиод двухцветный</td><td>6</td></tr>
<tr><td>HG1</td><td>Индикатор, 2 строки по 16 знаков</td><td>1</td></tr>
<tr><td>ZQ1</td><td>Кварцевый резонатор 4 МГц</td><td>1</td></tr>
<tr><td>C1-C8</td><td>Конденсатор 0,1 мкФ</td><td>8</td></tr>
</table>

<h2>Алгоритм работы</h2>
<p>Программа микроконтроллера раз в секунду обходит все каналы. Для каждого канала
она измеряет напряжение без тока и под током, вычисляет внутреннее сопротивление
аккумулятора и по нему отличает исправный аккумулятор от неисправного или
отсутствующего. Во время заряда запоминается наибольшее напряжение; когда
напряжение опускается ниже него на 5 мВ, заряд канала прекращается и канал
переходит в режим поддерживающего заряда малым током.</p>

<h2>Сборка и наладка</h2>
<p>Сначала установите перемычки и резисторы, затем панельку микроконтроллера,
конденсаторы и транзисторы. Индикатор и светодиоды ставятся последними, после
примерки платы в корпусе. Транзисторы каналов крепятся к общему радиатору через
изолирующие прокладки.</p>
<p>После сборки включите устройство без аккумуляторов: на индикаторе должна появиться
надпись с номером версии, светодиоды всех каналов должны мигнуть по очереди.
Затем вставьте по одному аккумулятору в каждый канал и убедитесь, что ток заряда
соответствует выбранному в файле настроек.</p>
<p>Подстройка не требуется: опорное напряжение измеряется микроконтроллером при
каждом включении. Если показания напряжения отличаются от показаний тестера больше
чем на 20 мВ, проверьте номиналы резисторов делителя.</p>

<h2>Возможные неисправности</h2>
<ul>
<li>Канал не включается - проверьте затвор транзистора и выход сдвигового регистра.</li>
<li>Заряд прекращается сразу - плохой контакт терморезистора или держателя.</li>
<li>Индикатор не светится - подберите резистор контрастности.</li>
</ul>

<p class="note">Проект распространяется свободно. Обсуждение, вопросы и исправления -
в форуме автора программы Brindlex.</p>
<p class="nav"><a href="index.html">&lt;&lt; К списку проектов</a></p>
</body>
</html>
"""


def page():
    """The demo project's page, padded to its fixed size with blanks in a closing comment."""
    data = cp1251(PAGE.replace("\n", "\r\n"))
    comment_frame = len("<!--  -->\r\n")
    fill = PAGE_SIZE - len(data) - comment_frame
    if fill < 0:
        raise ValueError("page is %d bytes, more than %d" % (len(data), PAGE_SIZE))
    return data + b"<!-- " + b" " * fill + b" -->\r\n"

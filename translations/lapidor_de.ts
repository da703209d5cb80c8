<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>lapidor::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About Lapidor</source>
        <translation>Über Lapidor</translation>
    </message>
    <message>
        <source>The Varnhollow Lapidor</source>
        <translation>Der Varnhollow-Lapidor</translation>
    </message>
    <message>
        <source>Created by %1</source>
        <translation>Erstellt von %1</translation>
    </message>
    <message>
        <source>The web site %1 could not be opened. You can type the address into your web browser instead.</source>
        <translation>Die Website %1 konnte nicht geöffnet werden. Sie können die Adresse stattdessen in Ihren Webbrowser eingeben.</translation>
    </message>
</context>
<context>
    <name>lapidor::CalculationFailureText</name>
    <message>
        <source>Level %1 is not in levels.txt: levels start at 1.</source>
        <translation>Stufe %1 steht nicht in levels.txt: Die Stufen beginnen bei 1.</translation>
    </message>
    <message>
        <source>Level %1 is not in levels.txt, which lists no levels.</source>
        <translation>Stufe %1 steht nicht in levels.txt; die Datei enthält keine Stufen.</translation>
    </message>
    <message>
        <source>Level %1 is not in levels.txt, which lists 1 level.</source>
        <translation>Stufe %1 steht nicht in levels.txt; die Datei enthält nur eine Stufe.</translation>
    </message>
    <message>
        <source>Level %1 is not in levels.txt, which lists %2 levels.</source>
        <translation>Stufe %1 steht nicht in levels.txt; die Datei enthält nur %2 Stufen.</translation>
    </message>
    <message>
        <source>The experience of level %1 in levels.txt is not a number: %2.</source>
        <translation>Der XP-Wert für Stufe %1 in levels.txt ist keine Zahl: %2.</translation>
    </message>
    <message>
        <source>The experience of level %1 in levels.txt is too large: %2.</source>
        <translation>Der XP-Wert für Stufe %1 in levels.txt ist zu groß: %2.</translation>
    </message>
    <message>
        <source>The experience of level %1 in levels.txt is too small: %2.</source>
        <translation>Der XP-Wert für Stufe %1 in levels.txt ist zu klein: %2.</translation>
    </message>
    <message>
        <source>The current level is not a number Lapidor can use: %1.</source>
        <translation>Die aktuelle Stufe ist keine Zahl, mit der Lapidor rechnen kann: %1.</translation>
    </message>
    <message>
        <source>Level %1 cannot be looked up: there is no levels.txt.</source>
        <translation>Stufe %1 lässt sich nicht nachschlagen: Es gibt keine Datei levels.txt.</translation>
    </message>
    <message>
        <source>Level %1 cannot be looked up: levels.txt could not be read.</source>
        <translation>Stufe %1 lässt sich nicht nachschlagen: Die Datei levels.txt konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The current experience is not a number Lapidor can use: %1.</source>
        <translation>Die aktuelle Erfahrung ist keine Zahl, mit der Lapidor rechnen kann: %1.</translation>
    </message>
    <message>
        <source>The count of %1 is not a number Lapidor can use: %2.</source>
        <translation>Die Anzahl im Feld „%1“ ist keine Zahl, mit der Lapidor rechnen kann: %2.</translation>
    </message>
</context>
<context>
    <name>lapidor::CommandLine</name>
    <message>
        <source>Usage: %1 [OPTION]...</source>
        <translation>Aufruf: %1 [OPTION]...</translation>
    </message>
    <message>
        <source>Work out the experience your Varnhollow gems bring: type how many gems
of each kind you hold and your current level or experience, and press
Calculate.</source>
        <translation>Berechnet die Erfahrung, die Ihre Varnhollow-Edelsteine bringen: Geben Sie ein,
wie viele Edelsteine jeder Art Sie besitzen und welche Stufe oder Erfahrung Sie
haben, und klicken Sie auf „Berechnen“.</translation>
    </message>
    <message>
        <source>  -h, --help       show this help and exit
  -v, --version    show the version and exit</source>
        <translation>  -h, --help       diese Hilfe anzeigen und beenden
  -v, --version    die Version anzeigen und beenden</translation>
    </message>
    <message>
        <source>Lapidor also takes Qt&apos;s own options, such as -platform NAME and -style NAME.
It reads the level boundaries from levels.txt in the folder it is started
from; the manual page lapidor(1) describes that file.</source>
        <translation>Lapidor versteht auch die Optionen von Qt, etwa -platform NAME und -style NAME.
Die Stufengrenzen liest es aus levels.txt in dem Ordner, aus dem es gestartet
wird; die Handbuchseite lapidor(1) beschreibt diese Datei.</translation>
    </message>
    <message>
        <source>Web site: &lt;%1&gt;</source>
        <translation>Website: &lt;%1&gt;</translation>
    </message>
</context>
<context>
    <name>lapidor::EntryField</name>
    <message>
        <source>Only the digits 0 to 9 can be entered here.</source>
        <translation>Hier können nur die Ziffern 0 bis 9 eingegeben werden.</translation>
    </message>
</context>
<context>
    <name>lapidor::FileProblemText</name>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Verzeichnis nicht gefunden</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <translation>es ist eine benannte Pipe (FIFO), keine Datei</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>es ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>es ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is too large: %1 (%2 bytes), and at most %3 is read</source>
        <translation>sie ist zu groß: %1 (%2 Bytes), gelesen werden höchstens %3</translation>
    </message>
    <message>
        <source>it is too large: %1, and at most %2 is read</source>
        <translation>sie ist zu groß: %1, gelesen werden höchstens %2</translation>
    </message>
    <message>
        <source>it grew past %1 while it was read</source>
        <translation>sie ist beim Lesen über %1 hinaus gewachsen</translation>
    </message>
    <message>
        <source>it changed while it was being opened</source>
        <translation>sie hat sich beim Öffnen geändert</translation>
    </message>
    <message>
        <source>another program has it open and lets no one else read it</source>
        <translation>ein anderes Programm hält sie geöffnet und sperrt sie für alle anderen</translation>
    </message>
    <message>
        <source>another program has locked some of it</source>
        <translation>ein anderes Programm hat Teile davon gesperrt</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 Byte</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>line %1 has no XP value</source>
        <translation>Zeile %1 hat keinen XP-Wert</translation>
    </message>
    <message>
        <source>line %1 has no space before &apos;XP=&apos;</source>
        <translation>Zeile %1 hat kein Leerzeichen vor „XP=“</translation>
    </message>
    <message>
        <source>line %1 has no &apos;[LEVEL=&apos;</source>
        <translation>Zeile %1 hat kein „[LEVEL=“</translation>
    </message>
    <message>
        <source>line %1 has &apos; XP&apos; before &apos;[LEVEL=&apos;</source>
        <translation>Zeile %1 hat „ XP“ vor „[LEVEL=“</translation>
    </message>
    <message>
        <source>line %1 has no XP value closed by &apos;]&apos;</source>
        <translation>Zeile %1 hat keinen mit „]“ abgeschlossenen XP-Wert</translation>
    </message>
    <message>
        <source>line %1 has two XP values</source>
        <translation>Zeile %1 hat zwei XP-Werte</translation>
    </message>
    <message>
        <source>line %1 has %2 XP values</source>
        <translation>Zeile %1 hat %2 XP-Werte</translation>
    </message>
    <message>
        <source>line %1 has blanks around &apos;=&apos;: write %2=%3, without blanks around &apos;=&apos;</source>
        <translation>Zeile %1 hat Leerzeichen um „=“: Schreiben Sie %2=%3 ohne Leerzeichen um „=“</translation>
    </message>
    <message>
        <source>it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text</source>
        <translation>sie ist in UTF-16 gespeichert, das Lapidor nicht lesen kann; speichern Sie sie als UTF-8 oder als reinen Text</translation>
    </message>
    <message>
        <source>the folder Lapidor was started in no longer exists</source>
        <translation>der Ordner, in dem Lapidor gestartet wurde, existiert nicht mehr</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>es ist nicht genug Speicher frei, um sie zu lesen</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read: %2.</source>
        <translation>Die Datei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; in the folder &quot;%2&quot; could not be read: %3.</source>
        <translation>Die Datei „%1“ im Ordner „%2“ konnte nicht gelesen werden: %3.</translation>
    </message>
    <message>
        <source>Close other programs and start Lapidor again.</source>
        <translation>Schließen Sie andere Programme und starten Sie Lapidor erneut.</translation>
    </message>
    <message>
        <source>Start Lapidor again from a folder that holds levels.txt.</source>
        <translation>Starten Sie Lapidor erneut aus einem Ordner, der levels.txt enthält.</translation>
    </message>
    <message>
        <source>Lapidor needs a plain text file there, of at most %1, with one level per line, such as [LEVEL=2 XP=400]. Put one there and start Lapidor again.</source>
        <translation>Lapidor braucht dort eine reine Textdatei von höchstens %1 mit einer Stufe pro Zeile, etwa [LEVEL=2 XP=400]. Legen Sie eine solche Datei dorthin und starten Sie Lapidor erneut.</translation>
    </message>
    <message>
        <source>Each line should give one level, such as [LEVEL=2 XP=400].</source>
        <translation>Jede Zeile sollte genau eine Stufe angeben, etwa [LEVEL=2 XP=400].</translation>
    </message>
    <message>
        <source>Correct the file and start Lapidor again.</source>
        <translation>Berichtigen Sie die Datei und starten Sie Lapidor erneut.</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; lists no levels: %2.</source>
        <translation>Die Datei „%1“ enthält keine Stufen: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; in the folder &quot;%2&quot; lists no levels: %3.</source>
        <translation>Die Datei „%1“ im Ordner „%2“ enthält keine Stufen: %3.</translation>
    </message>
    <message>
        <source>From that line on, levels may be paired with the wrong experience.</source>
        <translation>Ab dieser Zeile werden Stufen womöglich dem falschen XP-Wert zugeordnet.</translation>
    </message>
    <message>
        <source>line %1 gives the XP value %2, which is not a number</source>
        <translation>Zeile %1 gibt den XP-Wert %2 an, der keine Zahl ist</translation>
    </message>
    <message>
        <source>A calculation from level %1 cannot be made, and looking up levels by experience reads that value as %2.</source>
        <translation>Von Stufe %1 aus lässt sich nicht rechnen, und beim Nachschlagen der Stufe zu einer Erfahrung liest Lapidor diesen Wert als %2.</translation>
    </message>
    <message>
        <source>line %1 gives %2 XP, no more than the %3 XP of line %4</source>
        <translation>Zeile %1 gibt %2 XP an, nicht mehr als die %3 XP aus Zeile %4</translation>
    </message>
    <message>
        <source>From the current level, Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, so levels come out in the wrong order.</source>
        <translation>Von der aktuellen Stufe aus nimmt Lapidor die Datei, wie sie ist; von der aktuellen Erfahrung aus sucht es aber den größten erreichten XP-Wert, sodass die Stufen in falscher Reihenfolge herauskommen.</translation>
    </message>
    <message>
        <source>From the current level, Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, so level %1 can never be reached.</source>
        <translation>Von der aktuellen Stufe aus nimmt Lapidor die Datei, wie sie ist; von der aktuellen Erfahrung aus sucht es aber den größten erreichten XP-Wert, sodass Stufe %1 nie erreicht werden kann.</translation>
    </message>
    <message>
        <source>The levels should be listed from the lowest XP value to the highest.</source>
        <translation>Die Stufen sollten vom niedrigsten bis zum höchsten XP-Wert aufgeführt sein.</translation>
    </message>
    <message>
        <source>A sample file to copy is installed at %1.</source>
        <translation>Eine Beispieldatei zum Kopieren liegt unter %1.</translation>
    </message>
    <message>
        <source>In the file &quot;%1&quot;, %2</source>
        <translation>Datei „%1“: %2</translation>
    </message>
    <message>
        <source>In the file &quot;%1&quot; in the folder &quot;%2&quot;, %3</source>
        <translation>Datei „%1“ im Ordner „%2“: %3</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>line %1 has a tab before &apos;XP=&apos;, where a space belongs</source>
        <translation>Zeile %1 hat vor „XP=“ einen Tabulator statt eines Leerzeichens</translation>
    </message>
    <message>
        <source>line %1 has &apos;%2=&apos; in lower case: write LEVEL and XP in capitals</source>
        <translation>Zeile %1 enthält „%2=“ in Kleinbuchstaben: Schreiben Sie LEVEL und XP groß</translation>
    </message>
    <message>
        <source>line %1 gives LEVEL=%2, but it is the %3 level in the file, so typing %4 uses XP=%5</source>
        <translation>Zeile %1 gibt LEVEL=%2 an, ist aber die %3 Stufe in der Datei; die Eingabe %4 verwendet daher XP=%5</translation>
    </message>
    <message>
        <source>is a line missing above it?</source>
        <translation>Fehlt darüber eine Zeile?</translation>
    </message>
    <message>
        <source>levels count from 1</source>
        <translation>Die Stufen beginnen bei 1</translation>
    </message>
    <message>
        <source>is a line repeated above it?</source>
        <translation>Steht darüber eine Zeile doppelt?</translation>
    </message>
    <message>
        <source>A level you type is found by its place in the file, so the levels should be numbered 1, 2, 3 and so on, one line each.</source>
        <translation>Lapidor findet eine eingegebene Stufe über ihre Position in der Datei; die Stufen sollten daher fortlaufend mit 1, 2, 3 usw. nummeriert sein, jede in einer eigenen Zeile.</translation>
    </message>
    <message>
        <source>line %1 gives the XP value %2, which is beyond the numbers Lapidor can calculate with</source>
        <translation>Zeile %1 gibt den XP-Wert %2 an, der außerhalb des Zahlenbereichs liegt, mit dem Lapidor rechnen kann</translation>
    </message>
    <message>
        <source>A calculation from level %1 cannot be made, and no experience reaches it.</source>
        <translation>Von Stufe %1 aus lässt sich nicht rechnen, und keine Erfahrung erreicht diese Stufe.</translation>
    </message>
    <message>
        <source>line %1 gives the XP value %2, which is not written in plain digits</source>
        <translation>Zeile %1 gibt den XP-Wert %2 an, der nicht nur aus Ziffern besteht</translation>
    </message>
    <message>
        <source>Lapidor reads it as %1.</source>
        <translation>Lapidor liest ihn als %1.</translation>
    </message>
    <message>
        <source>no line gives a level</source>
        <translation>keine Zeile gibt eine Stufe an</translation>
    </message>
    <message>
        <source>That line gives no level, so every level after it counts one lower than the file means.</source>
        <translation>Diese Zeile gibt keine Stufe an; jede spätere Stufe gilt daher als eine Stufe niedriger als vorgesehen.</translation>
    </message>
    <message>
        <source>line %1 gives the XP value %2, which has more than 15 digits</source>
        <translation>Zeile %1 gibt den XP-Wert %2 an, der mehr als 15 Ziffern hat</translation>
    </message>
    <message>
        <source>Write each XP value in digits only, at most 15 of them, such as [LEVEL=2 XP=400].</source>
        <translation>Schreiben Sie jeden XP-Wert nur in Ziffern, höchstens 15 davon, etwa [LEVEL=2 XP=400].</translation>
    </message>
</context>
<context>
    <name>lapidor::GemNames</name>
    <message>
        <source>Rough Agate</source>
        <translation>Roher Achat</translation>
    </message>
    <message>
        <source>Rough Amethyst</source>
        <translation>Roher Amethyst</translation>
    </message>
    <message>
        <source>Rough Aquamarine</source>
        <translation>Roher Aquamarin</translation>
    </message>
    <message>
        <source>Rough Carnelian</source>
        <translation>Roher Karneol</translation>
    </message>
    <message>
        <source>Rough Diamond</source>
        <translation>Roher Diamant</translation>
    </message>
    <message>
        <source>Rough Emerald</source>
        <translation>Roher Smaragd</translation>
    </message>
    <message>
        <source>Rough Garnet</source>
        <translation>Roher Granat</translation>
    </message>
    <message>
        <source>Rough Limestone</source>
        <translation>Roher Kalkstein</translation>
    </message>
    <message>
        <source>Rough Malachite</source>
        <translation>Roher Malachit</translation>
    </message>
    <message>
        <source>Rough Moonstone</source>
        <translation>Roher Mondstein</translation>
    </message>
    <message>
        <source>Rough Ruby</source>
        <translation>Roher Rubin</translation>
    </message>
    <message>
        <source>Rough Sapphire</source>
        <translation>Roher Saphir</translation>
    </message>
    <message>
        <source>Finely Cut Agate</source>
        <translation>Geschliffener Achat</translation>
    </message>
    <message>
        <source>Finely Cut Amethyst</source>
        <translation>Geschliffener Amethyst</translation>
    </message>
    <message>
        <source>Finely Cut Aquamarine</source>
        <translation>Geschliffener Aquamarin</translation>
    </message>
    <message>
        <source>Finely Cut Carnelian</source>
        <translation>Geschliffener Karneol</translation>
    </message>
    <message>
        <source>Finely Cut Diamond</source>
        <translation>Geschliffener Diamant</translation>
    </message>
    <message>
        <source>Finely Cut Emerald</source>
        <translation>Geschliffener Smaragd</translation>
    </message>
    <message>
        <source>Finely Cut Garnet</source>
        <translation>Geschliffener Granat</translation>
    </message>
    <message>
        <source>Finely Cut Limestone</source>
        <translation>Geschliffener Kalkstein</translation>
    </message>
    <message>
        <source>Finely Cut Malachite</source>
        <translation>Geschliffener Malachit</translation>
    </message>
    <message>
        <source>Finely Cut Moonstone</source>
        <translation>Geschliffener Mondstein</translation>
    </message>
    <message>
        <source>Finely Cut Ruby</source>
        <translation>Geschliffener Rubin</translation>
    </message>
    <message>
        <source>Finely Cut Sapphire</source>
        <translation>Geschliffener Saphir</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A caption beside its field: the field&apos;s name and a colon.</extracomment>
        <translation>%1:</translation>
    </message>
</context>
<context>
    <name>lapidor::MainWindow</name>
    <message>
        <source>Lapidor :: By %1</source>
        <translation>Lapidor :: Von %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation>Ü&amp;ber </translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>Level labels</source>
        <translation>Stufennamen</translation>
    </message>
    <message>
        <source>Level XP values</source>
        <translation>XP-Werte der Stufen</translation>
    </message>
    <message>
        <source>Lapidor</source>
        <translation>Lapidor</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Current Level</source>
        <translation>Aktuelle Stufe</translation>
    </message>
    <message>
        <source>Current Experience</source>
        <translation>Aktuelle Erfahrung</translation>
    </message>
    <message>
        <source>New Level: </source>
        <translation>Neue Stufe: </translation>
    </message>
    <message>
        <source>Total Gems: </source>
        <translation>Edelsteine gesamt: </translation>
    </message>
    <message>
        <source>Total XP From Roughs: </source>
        <translation>XP aus rohen Steinen: </translation>
    </message>
    <message>
        <source>Total XP From Finely Cuts: </source>
        <translation>XP aus geschliffenen Steinen: </translation>
    </message>
    <message>
        <source>Total XP: </source>
        <translation>XP gesamt: </translation>
    </message>
    <message>
        <source>Old XP: </source>
        <translation>Alte XP: </translation>
    </message>
    <message>
        <source>Old Level: </source>
        <translation>Alte Stufe: </translation>
    </message>
    <message>
        <source>New XP: </source>
        <translation>Neue XP: </translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>%1: %2 XP each</source>
        <translation>%1: %2 XP je Stein</translation>
    </message>
</context>
<context>
    <name>lapidor::QuotedText</name>
    <message>
        <source>&quot;%1&quot;</source>
        <comment>quotation marks around a value quoted from levels.txt or an entry field</comment>
        <translation>„%1“</translation>
    </message>
</context>
<context>
    <name>lapidor::ReportLabel</name>
    <message>
        <source>Out of date: from before the last change. Press Calculate to update it.</source>
        <translation>Veraltet: Stand vor der letzten Änderung. „Berechnen“ bringt das Ergebnis auf den neuesten Stand.</translation>
    </message>
</context>
<context>
    <name>lapidor::WarningBox</name>
    <message>
        <source>Lapidor</source>
        <translation>Lapidor</translation>
    </message>
</context>
</TS>

// A page's visible text: the HTML reading, the charset choice and the GBK form.
#include "core/download/HtmlText.h"

#include <QStringEncoder>
#include <QtTest>

class TestHtmlText : public QObject {
    Q_OBJECT

    static QByteArray gbk(const QString &s)
    {
        QStringEncoder e("GBK");
        return e(s);
    }

private slots:
    void toText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain words") << "hello world" << "hello world";
        QTest::newRow("blanks collapse") << "  a \n\t b  " << "a b";
        QTest::newRow("inline tags keep the line") << "a<b>b</b><span> c</span>" << "ab c";
        QTest::newRow("blank across inline tags") << "a <b> b</b>" << "a b";
        QTest::newRow("br is a line break") << "a<br>b<br/>c<BR >d" << "a\nb\nc\nd";
        QTest::newRow("two br, two breaks") << "a<br><br>b" << "a\n\nb";
        QTest::newRow("blank after br dropped") << "a<br>\n  b" << "a\nb";
        QTest::newRow("blocks") << "<div>a</div><div>b</div>" << "a\nb";
        QTest::newRow("nested blocks one break") << "<div><div>a</div></div><div>b</div>" << "a\nb";
        QTest::newRow("paragraph two breaks") << "<p>a</p><p>b</p>" << "a\n\nb";
        QTest::newRow("breaks at the edges trimmed") << "<div><p>a</p></div>" << "a";
        QTest::newRow("list items") << "<ul><li>x</li><li>y</li></ul>" << "x\ny";
        QTest::newRow("table cells tab, rows break")
            << "<table><tr><td>1</td><td>2</td></tr><tr><th>3</th><td>4</td></tr></table>" << "1\t2\n3\t4";
        QTest::newRow("comment dropped") << "a<!-- <b>x</b> -->b" << "ab";
        QTest::newRow("unclosed comment drops the rest") << "a<!-- b" << "a";
        QTest::newRow("doctype and processing") << "<!DOCTYPE html><?xml x?>a" << "a";
        QTest::newRow("script and style dropped")
            << "a<script>var s = '<p>no</p>';</script>b<style>p{x:1}</style>c" << "abc";
        QTest::newRow("script end tag needs its name") << "<script>x</scripty></script>a" << "a";
        QTest::newRow("head and title dropped")
            << "<html><head><title>T</title><meta charset=gbk></head><body>a</body></html>" << "a";
        QTest::newRow("head without end tag") << "<head><title>T</title><body>a" << "a";
        QTest::newRow("quoted > in an attribute") << "<a title=\"x>y\" href='>'>link</a>" << "link";
        QTest::newRow("entities")
            << "&lt;a&gt; &amp; &quot;q&quot; &apos;s&apos; &#65;&#x42;&#X43;" << "<a> & \"q\" 's' ABC";
        QTest::newRow("nbsp stays a character") << "a&nbsp;&nbsp;b" << QString::fromUtf8("a\u00A0\u00A0b");
        QTest::newRow("legacy reference without semicolon") << "a&ampb" << "a&b";
        QTest::newRow("unknown reference kept") << "&bogus; & &#; &#xZZ;" << "&bogus; & &#; &#xZZ;";
        QTest::newRow("reference out of range") << "&#1114112;&#0;" << QString::fromUtf8("\uFFFD\uFFFD");
        QTest::newRow("less-than that is no tag") << "1 < 2 <3" << "1 < 2 <3";
        QTest::newRow("pre keeps blanks and lines") << "<pre>\na  b\r\n c</pre>d" << "a  b\n c\nd";
        QTest::newRow("Chinese text") << QString::fromUtf8("<p>双色球：2007001期01020304050607</p>")
                                      << QString::fromUtf8("双色球：2007001期01020304050607");
        QTest::newRow("records split by br")
            << QString::fromUtf8("双色球：2007001期01020304050607<br>\n2007002期01020304050608")
            << QString::fromUtf8("双色球：2007001期01020304050607\n2007002期01020304050608");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("lone <") << "<" << "<";
    }
    void toText()
    {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QCOMPARE(HtmlText::toText(html), text);
    }

    void decode_data()
    {
        const QString chinese = QString::fromUtf8("双色球：期");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("text");
        QTest::newRow("header gbk") << gbk(chinese) << QByteArray("text/html; charset=GBK") << chinese;
        QTest::newRow("header gb2312 quoted") << gbk(chinese) << QByteArray("text/html; charset=\"gb2312\"") << chinese;
        QTest::newRow("header utf-8") << chinese.toUtf8() << QByteArray("text/html;charset=utf-8") << chinese;
        const QByteArray metaGbk = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">";
        QTest::newRow("meta http-equiv gbk") << metaGbk + gbk(chinese) << QByteArray("text/html")
                                             << QString::fromLatin1(metaGbk) + chinese;
        const QByteArray metaUtf8 = "<meta charset='utf-8'>";
        QTest::newRow("meta charset utf-8") << metaUtf8 + chinese.toUtf8() << QByteArray()
                                            << QString::fromLatin1(metaUtf8) + chinese;
        QTest::newRow("header wins over meta") << metaGbk + chinese.toUtf8() << QByteArray("text/html; charset=utf-8")
                                               << QString::fromLatin1(metaGbk) + chinese;
        QTest::newRow("undeclared utf-8") << chinese.toUtf8() << QByteArray() << chinese;
        QTest::newRow("undeclared gbk") << gbk(chinese) << QByteArray() << chinese;
        QTest::newRow("utf-8 byte order mark") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8()
                                               << QByteArray("text/html; charset=gbk") << chinese;
        QTest::newRow("unknown charset falls back") << chinese.toUtf8() << QByteArray("text/html; charset=bogus-9")
                                                    << chinese;
    }
    void decode()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, text);
        QCOMPARE(HtmlText::decode(body, contentType), text);
    }

    void htmlOrPlain_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("text");
        QTest::newRow("text/plain keeps CR LF and tags") << QByteArray("a<b>\r\nb") << QByteArray("text/plain") << ""
                                                         << "a<b>\r\nb";
        QTest::newRow("text/html") << QByteArray("a<br>b") << QByteArray("text/html") << "" << "a\nb";
        QTest::newRow("file .html") << QByteArray("a<br>b") << QByteArray() << "/x/page.HTML" << "a\nb";
        QTest::newRow("file .txt") << QByteArray("a<br>b") << QByteArray() << "/x/page.txt" << "a<br>b";
        QTest::newRow("file that starts like HTML") << QByteArray("\n <!doctype html><p>a</p>") << QByteArray()
                                                    << "/x/page" << "a";
        QTest::newRow("file of plain lines") << QByteArray("a\r\nb") << QByteArray() << "/x/page" << "a\r\nb";
    }
    void htmlOrPlain()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, fileName);
        QFETCH(QString, text);
        QCOMPARE(HtmlText::pageText(body, contentType, fileName), text);
    }

    // Byte positions are counted in GBK: two bytes a Chinese character, one a digit,
    // one for a character GBK lacks.
    void gbkWidths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("marker") << QString::fromUtf8("双色球：") << 8;
        QTest::newRow("record") << QString::fromUtf8("2007001期01020304050607 ") << 24;
        QTest::newRow("nbsp") << QString::fromUtf8("\u00A0") << 1;
        QTest::newRow("emoji") << QString::fromUtf8("\U0001F600") << 1;
        QTest::newRow("full-width blank") << QString::fromUtf8("\u3000") << 2;
    }
    void gbkWidths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(HtmlText::toGbk(text).size(), bytes);
    }
};

QTEST_GUILESS_MAIN(TestHtmlText)
#include "tst_htmltext.moc"

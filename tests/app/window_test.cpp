// The window, its controls and its handlers, driven by real key and mouse events.

#include "window_fixture.h"

#include "application.h"
#include "drill_controls.h"
#include "outer_geometry.h"

#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

QTestEventList typing(const QString& text, Qt::Key finalKey = Qt::Key_Return,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTestEventList events;
    events.addKeyClicks(text);
    events.addKeyClick(finalKey, modifiers);
    return events;
}

// The columns and rows of a widget's picture that hold any of the given colour.
QRect inkBounds(QWidget* widget, QColor ink)
{
    const QImage image = widget->grab().toImage();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == ink)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class WindowTest : public WindowTestCase {
    Q_OBJECT


    void sendAutoRepeatedEnter()
    {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(main().编辑框1, &repeat);
    }

private slots:
    void initTestCase() { setUpApplication(); }

    void init()
    {
        QVERIFY(startFreshProgram());
    }

    void cleanup() { closeProgram(); }

    void opensCompactWithTheFirstQuestion()
    {
        QCOMPARE(outerHeight(window()), 103);
        QCOMPARE(window()->frameGeometry().width(), 555);
        QCOMPARE(main().标签1->text(), QStringLiteral("1/20"));
        QCOMPARE(main().标签2->text(), QString());
        QCOMPARE(main().按钮1->text(), QStringLiteral("显示"));
        QCOMPARE(main().编辑框1->text(), QString());
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
        QCOMPARE(window()->windowTitle(), QStringLiteral("Tervalo"));
        QCOMPARE(window()->windowIcon().availableSizes(), QList<QSize>{QSize(128, 76)});
    }

    void answers_data()
    {
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("feedback");
        const QString wrong = QStringLiteral("错误");
        QTest::newRow("right") << typing("5") << "1/11" << "1/20=5%";
        QTest::newRow("keypad Enter") << typing("5", Qt::Key_Enter, Qt::KeypadModifier) << "1/11" << "1/20=5%";
        QTest::newRow("Shift+Enter") << typing("5", Qt::Key_Return, Qt::ShiftModifier) << "1/11" << "1/20=5%";
        QTest::newRow("Ctrl+Enter") << typing("5", Qt::Key_Return, Qt::ControlModifier) << "1/11" << "1/20=5%";
        QTest::newRow("Alt+Enter") << typing("5", Qt::Key_Return, Qt::AltModifier) << "1/11" << "1/20=5%";
        QTest::newRow("percent sign typed") << typing("5%") << "1/20" << wrong;
        QTest::newRow("leading space") << typing(" 5") << "1/20" << wrong;
        QTest::newRow("trailing space") << typing("5 ") << "1/20" << wrong;
        QTest::newRow("empty") << typing("") << "1/20" << wrong;
        QTestEventList corrected;
        corrected.addKeyClicks("6");
        corrected.addKeyClick(Qt::Key_Backspace);
        corrected.addKeyClicks("5");
        corrected.addKeyClick(Qt::Key_Return);
        QTest::newRow("corrected with Backspace") << corrected << "1/11" << "1/20=5%";
    }

    void answers()
    {
        QFETCH(QTestEventList, events);
        QFETCH(QString, prompt);
        QFETCH(QString, feedback);
        events.simulate(main().编辑框1);
        QCOMPARE(main().标签1->text(), prompt);
        QCOMPARE(main().标签2->text(), feedback);
        QCOMPARE(main().编辑框1->text(), QString());
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
    }

    // Text committed by an input method is judged exactly as typed text.
    void inputMethodTextIsJudgedAsTyped_data()
    {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("feedback");
        QTest::newRow("ASCII digit") << QStringLiteral("5") << QStringLiteral("1/20=5%");
        QTest::newRow("full-width digit") << QStringLiteral("５") << QStringLiteral("错误");
        QTest::newRow("Chinese text") << QStringLiteral("五") << QStringLiteral("错误");
    }

    void inputMethodTextIsJudgedAsTyped()
    {
        QFETCH(QString, committed);
        QFETCH(QString, feedback);
        QVERIFY(main().编辑框1->testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent preedit(QStringLiteral("wu"), {});
        QApplication::sendEvent(main().编辑框1, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(committed);
        QApplication::sendEvent(main().编辑框1, &commit);
        QCOMPARE(main().编辑框1->text(), committed);
        QTest::keyClick(main().编辑框1, Qt::Key_Return);
        QCOMPARE(main().标签2->text(), feedback);
    }

    void otherKeysTypeAndJudgeNothing()
    {
        QTest::keyClicks(main().编辑框1, "1/2 x");
        QTest::keyClick(main().编辑框1, Qt::Key_Left);
        QTest::keyClick(main().编辑框1, Qt::Key_Delete);
        QCOMPARE(main().编辑框1->text(), QStringLiteral("1/2 "));
        QCOMPARE(main().标签2->text(), QString());
        QCOMPARE(main().标签1->text(), QStringLiteral("1/20"));
    }

    void autoRepeatedEnterJudgesTheEmptiedBox()
    {
        QTest::keyClicks(main().编辑框1, "5");
        QTest::keyClick(main().编辑框1, Qt::Key_Return);
        QCOMPARE(main().标签2->text(), QStringLiteral("1/20=5%"));
        sendAutoRepeatedEnter();
        QCOMPARE(main().标签2->text(), QStringLiteral("错误"));
        QCOMPARE(main().标签1->text(), QStringLiteral("1/11"));
    }

    void tabAndShiftTabAlternateWithoutReachingTheBox_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Tab") << Qt::Key_Tab << Qt::KeyboardModifiers();
        QTest::newRow("Shift+Tab") << Qt::Key_Backtab << Qt::KeyboardModifiers(Qt::ShiftModifier);
    }

    void tabAndShiftTabAlternateWithoutReachingTheBox()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QTest::keyClicks(main().编辑框1, "5");
        QTest::keyClick(main().编辑框1, key, modifiers);
        QCOMPARE(QApplication::focusWidget(), main().按钮1);
        QTest::keyClick(main().按钮1, key, modifiers);
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
        QCOMPARE(main().编辑框1->text(), QStringLiteral("5"));
        QCOMPARE(main().标签2->text(), QString());
    }

    void escapeClosesWithoutJudging_data()
    {
        QTest::addColumn<bool>("fromButton");
        QTest::newRow("answer box with text") << false;
        QTest::newRow("button") << true;
    }

    void escapeClosesWithoutJudging()
    {
        QFETCH(bool, fromButton);
        QTest::keyClicks(main().编辑框1, "5");
        if (fromButton)
            main().按钮1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window()->isVisible());
        QCOMPARE(main().标签2->text(), QString());
    }

    void enterOnTheButtonDoesNothingSpaceToggles()
    {
        QTest::keyClicks(main().编辑框1, "12");
        main().按钮1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(main().按钮1, Qt::Key_Return);
        QTest::keyClick(main().按钮1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(outerHeight(window()), 103);
        QCOMPARE(main().标签2->text(), QString());
        QTest::keyClick(main().按钮1, Qt::Key_Space);
        QCOMPARE(outerHeight(window()), 364);
        QCOMPARE(main().按钮1->text(), QStringLiteral("隐藏"));
        QCOMPARE(QApplication::focusWidget(), main().按钮1);
        QCOMPARE(main().编辑框1->text(), QStringLiteral("12"));
    }

    void clicksToggleTheHeightKeepingCornerTextAndFocus()
    {
        QTest::keyClicks(main().编辑框1, "12");
        const QPoint corner = window()->frameGeometry().topLeft();
        QTest::mouseClick(main().按钮1, Qt::LeftButton);
        QCOMPARE(outerHeight(window()), 364);
        QCOMPARE(main().按钮1->text(), QStringLiteral("隐藏"));
        QTest::mouseClick(main().按钮1, Qt::LeftButton);
        QCOMPARE(outerHeight(window()), 103);
        QCOMPARE(main().按钮1->text(), QStringLiteral("显示"));
        QCOMPARE(window()->frameGeometry().topLeft(), corner);
        QCOMPARE(window()->frameGeometry().width(), 555);
        QCOMPARE(main().编辑框1->text(), QStringLiteral("12"));
        QCOMPARE(main().标签2->text(), QString());
    }

    void anyOtherHeightMakesTheButtonDoNothing()
    {
        setOuterHeight(window(), 200);
        QTest::mouseClick(main().按钮1, Qt::LeftButton);
        QCOMPARE(outerHeight(window()), 200);
        QCOMPARE(main().按钮1->text(), QStringLiteral("显示"));
    }

    void labelsAndPictureNeverTakeTheFocus()
    {
        for (QWidget* control : {static_cast<QWidget*>(main().标签1), static_cast<QWidget*>(main().标签2),
                                 static_cast<QWidget*>(main().图片框1), main().编辑框1->parentWidget()}) {
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
            QCOMPARE(QApplication::focusWidget(), main().编辑框1);
        }
    }

    void clickInTheStripsAboveAndBelowTheLineDoesNotFocusTheBox()
    {
        QWidget* field = main().编辑框1->parentWidget();
        const QRect line = main().编辑框1->geometry();
        QVERIFY2(line.top() > 4 && line.bottom() < field->height() - 5, "the line leaves strips");
        main().按钮1->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, line.top() - 2));
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, line.bottom() + 3));
        QCOMPARE(QApplication::focusWidget(), main().按钮1);
        QTest::mouseClick(main().编辑框1, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
    }

    void answerBoxIsOneWhiteFieldWithACentredLine()
    {
        QWidget* field = main().编辑框1->parentWidget();
        QCOMPARE(field->geometry(), QRect(154, 23, 112, 48));
        const QRect inside = field->contentsRect();
        const QRect line = main().编辑框1->geometry();
        QCOMPARE(line.height(), main().编辑框1->fontMetrics().height());
        QCOMPARE(line.top(), inside.top() + (inside.height() - line.height()) / 2);
        const QImage image = field->grab().toImage();
        QCOMPARE(image.pixelColor(field->width() / 2, inside.top() + 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(field->width() / 2, inside.bottom() - 1), QColor(Qt::white));
    }

    void selectionIsHiddenWhileTheBoxIsUnfocused()
    {
        QTest::keyClicks(main().编辑框1, "1234");
        main().编辑框1->selectAll();
        const QColor highlight = main().编辑框1->palette().color(QPalette::Active, QPalette::Highlight);
        QVERIFY(inkBounds(main().编辑框1, highlight).isValid());
        QTest::keyClick(main().编辑框1, Qt::Key_Tab);
        QVERIFY(!inkBounds(main().编辑框1, highlight).isValid());
        QVERIFY(!inkBounds(main().编辑框1,
                           main().编辑框1->palette().color(QPalette::Inactive, QPalette::Highlight))
                     .isValid());
    }

    void contentIsReadAndWrittenExactly()
    {
        main().编辑框1->insert(QStringLiteral(" ５ "));
        QCOMPARE(getContent(main().编辑框1), std::string(" \xef\xbc\x95 "));
        setContent(main().编辑框1, {});
        QCOMPARE(main().编辑框1->text(), QString());
        QCOMPARE(main().编辑框1->cursorPosition(), 0);
        QCOMPARE(QApplication::focusWidget(), main().编辑框1);
    }

    void theBoxHasNoLengthLimitOfItsOwn()
    {
        const QString longAnswer(100000, u'9');
        main().编辑框1->insert(longAnswer);
        QCOMPARE(main().编辑框1->text().size(), longAnswer.size());
        QTest::keyClick(main().编辑框1, Qt::Key_Return);
        QCOMPARE(main().标签2->text(), QStringLiteral("错误"));
        QCOMPARE(main().编辑框1->text(), QString());
    }

    void labelsDrawOneLineCutAtTheRightEdge()
    {
        const Text longCaption = "1/2=50% 1/3=33.3% 1/4=25%";
        setCaption(main().标签1, longCaption);
        MnemonicLabel wide;
        wide.setFont(main().标签1->font());
        wide.resize(1000, main().标签1->height());
        setCaption(&wide, longCaption);
        const QImage cut = main().标签1->grab().toImage();
        const QImage whole = wide.grab().toImage().copy(main().标签1->rect());
        QCOMPARE(cut, whole);
        QVERIFY2(inkBounds(&wide, Qt::black).right() > main().标签1->width(), "the caption is wider");
        const QRect ink = inkBounds(main().标签1, Qt::black);
        QVERIFY(ink.top() > 0 && ink.bottom() < main().标签1->height() - 1);
    }

    void ampersandMarksAMnemonic()
    {
        setCaption(main().标签2, "x");
        const QRect plain = inkBounds(main().标签2, Qt::red);
        setCaption(main().标签2, "&x");
        const QRect marked = inkBounds(main().标签2, Qt::red);
        QVERIFY2(marked.bottom() > plain.bottom(), "the marked letter is underlined");
        const QRect aboveUnderline(0, 0, main().标签2->width(), plain.bottom() + 1);
        setCaption(main().标签2, "x");
        const QImage plainImage = main().标签2->grab().toImage().copy(aboveUnderline);
        setCaption(main().标签2, "&x");
        QCOMPARE(main().标签2->grab().toImage().copy(aboveUnderline), plainImage);
        setCaption(main().标签2, "&&");
        QVERIFY2(inkBounds(main().标签2, Qt::red).isValid(), "two ampersands draw one");
        QCOMPARE(main().标签2->accessibleName(), QStringLiteral("反馈：&"));
    }

    void emptyLabelShowsOnlyTheFaceColour()
    {
        const QImage image = main().标签2->grab().toImage();
        const QColor face = main().标签2->palette().color(QPalette::Window);
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                QCOMPARE(image.pixelColor(x, y), face);
    }

    void pictureSitsUnscaledAtTheTopLeftOverTheFaceColour()
    {
        QTest::mouseClick(main().按钮1, Qt::LeftButton);
        const QImage image = main().图片框1->grab().toImage();
        const QColor face = main().图片框1->palette().color(QPalette::Window);
        const QColor ground = image.pixelColor(392, 234);
        QVERIFY2(qAbs(ground.red() - 0) < 24 && qAbs(ground.green() - 182) < 24 && qAbs(ground.blue() - 214) < 24,
                 qPrintable(ground.name()));
        QCOMPARE(image.pixelColor(393, 100), face);
        QCOMPARE(image.pixelColor(399, 239), face);
        QCOMPARE(image.pixelColor(100, 235), face);
        QVERIFY(main().图片框1->isVisible());
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

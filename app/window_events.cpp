#include "window_events.h"

#include "drill.h"
#include "drill_controls.h"
#include "fatal_message.h"
#include "key_down_filter.h"
#include "main_window.h"
#include "mnemonic_label.h"
#include "outer_geometry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

void bindWindowEvents(MainWindow& main)
{
    QObject::connect(main.按钮1, &QPushButton::clicked, main.按钮1, [&main] {
        if (!fatalErrorBegun())
            toggleReference(main);
    });
    new KeyDownFilter(main.编辑框1, [&main](int keyCode, int modifiers) {
        if (!fatalErrorBegun())
            handleAnswerKey(main, keyCode, modifiers);
    });
}

void openDrill(MainWindow& main)
{
    setOuterHeight(main.window.get(), compactHeight);
    setCaption(main.标签1, beginDrill());
}

void toggleReference(MainWindow& main)
{
    QWidget* window = main.window.get();
    if (outerHeight(window) == compactHeight) {
        setOuterHeight(window, fullHeight);
        main.按钮1->setText(QStringLiteral("隐藏"));
    } else if (outerHeight(window) == fullHeight) {
        setOuterHeight(window, compactHeight);
        main.按钮1->setText(QStringLiteral("显示"));
    }
}

void handleAnswerKey(MainWindow& main, int keyCode, int /*modifiers: Enter counts with any*/)
{
    constexpr int enterKeyCode = 13;
    if (keyCode != enterKeyCode)
        return;
    const AnswerOutcome outcome = submitAnswer(getContent(main.编辑框1));
    if (outcome.isRight) {
        setCaption(main.标签2, outcome.feedbackText);
        setCaption(main.标签1, outcome.promptText);
        setContent(main.编辑框1, {});
    } else {
        setContent(main.编辑框1, {});
        setCaption(main.标签2, outcome.feedbackText);
    }
}

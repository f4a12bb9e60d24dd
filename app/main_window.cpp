#include "main_window.h"

#include "accessibility.h"
#include "drill_controls.h"
#include "mnemonic_label.h"
#include "outer_geometry.h"
#include "picture_box.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <climits>

namespace {

// The drill font: 29 pixels of character (em) height, normal weight, the default face.
QFont drillFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(29);
    font.setWeight(QFont::Normal);
    return font;
}

QWidget* createWindow()
{
    auto* window = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                            | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                            | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("Tervalo"));
    window->setWindowTitle(QStringLiteral("Tervalo"));
    window->setAccessibleDescription(QStringLiteral("分数与百分数换算练习"));
    requestFrame(window, designedOuterSize);
    // Esc closes the window whichever control has the focus, like its close button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    return window;
}

PictureBox* createPictureBox(QWidget* window)
{
    auto* box = new PictureBox(QStringLiteral(":/reference-table.jpg"), window);
    box->setObjectName(QStringLiteral("图片框1"));
    box->setGeometry(152, 96, 400, 240);
    box->setAccessibleName(QStringLiteral("分数与百分数换算表"));
    box->setAccessibleDescription(QStringLiteral("一张图，列出全部 23 个分数及其百分数"));
    box->setToolTip(box->accessibleDescription());
    return box;
}

QPushButton* createButton(QWidget* window)
{
    auto* button = new QPushButton(QStringLiteral("显示"), window);
    button->setObjectName(QStringLiteral("按钮1"));
    button->setGeometry(470, 28, 72, 40);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setAccessibleDescription(QStringLiteral("显示或隐藏换算表"));
    // Auto-hinting the Chinese caption's glyphs costs more start-up time and memory than
    // the rest of the first paint; unhinted, they are still drawn anti-aliased.
    QFont font = button->font();
    font.setHintingPreference(QFont::PreferNoHinting);
    button->setFont(font);
    return button;
}

MnemonicLabel* createLabel(QWidget* window, const QString& name, const QRect& rect, QColor colour,
                           const QString& purpose)
{
    auto* label = new MnemonicLabel(window);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(drillFont());
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAccessibleDescription(purpose);
    setCaption(label, {});  // empty, but already named for a screen reader
    return label;
}

// The answer box: a white field with a sunken edge whose editable part is one text line,
// centred vertically; the strips above and below it belong to the field, not to the line.
QLineEdit* createAnswerBox(QWidget* window)
{
    auto* field = new QFrame(window);
    field->setObjectName(QStringLiteral("编辑框1边框"));
    field->setGeometry(154, 23, 112, 48);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setLineWidth(2);
    field->setBackgroundRole(QPalette::Base);
    field->setAutoFillBackground(true);
    field->setCursor(Qt::IBeamCursor);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);

    auto* box = new QLineEdit(field);
    box->setObjectName(QStringLiteral("编辑框1"));
    box->setFont(drillFont());
    box->setFrame(false);
    box->setMaxLength(INT_MAX);
    box->setAccessibleName(QStringLiteral("答案"));
    box->setAccessibleDescription(QStringLiteral("在此输入答案，按回车键提交"));
    const QRect inside = field->contentsRect();
    const int lineHeight = box->fontMetrics().height();
    box->setGeometry(inside.left(), inside.top() + (inside.height() - lineHeight) / 2, inside.width(),
                     lineHeight);
    return box;
}

} // namespace

MainWindow buildMainWindow()
{
    installAccessibleRoles();
    MainWindow main;
    main.window.reset(createWindow());
    QWidget* window = main.window.get();
    // Created in list order, each stacked below the one before.
    main.图片框1 = createPictureBox(window);
    main.按钮1 = createButton(window);
    main.标签2 = createLabel(window, QStringLiteral("标签2"), {280, 24, 176, 48}, Qt::red,
                             QStringLiteral("反馈"));
    main.编辑框1 = createAnswerBox(window);
    main.标签1 = createLabel(window, QStringLiteral("标签1"), {16, 24, 112, 48}, Qt::black,
                             QStringLiteral("题目"));
    const QList<QWidget*> stacked = {main.图片框1, main.按钮1, main.标签2, main.编辑框1->parentWidget(),
                                     main.标签1};
    for (QWidget* control : stacked)
        control->lower();

    placeCentred(window);
    QWidget::setTabOrder(main.编辑框1, main.按钮1);
    main.编辑框1->setFocus();
    return main;
}

#include "editor/dialogs/messages_texts.h"

#include <QLocale>

#include "editor/dialogs/message_form.h"

namespace kadr::editor {
namespace {

using kadr::messages::Refusal;

QString Seconds(double seconds) {
    return QLocale(QLocale::Russian).toString(seconds, 'f', seconds < 10 ? 2 : 1) +
           QStringLiteral(" с");
}

QString Part(const QString& name, int frames, int speedAnim) {
    return QStringLiteral("%1: %2 кадр. (%3)")
        .arg(name)
        .arg(frames)
        .arg(Seconds(static_cast<double>(frames) / std::max(speedAnim, 1)));
}

QString Refused(const kadr::messages::MessagePlan& plan, const kadr::messages::Message& message) {
    switch (plan.refusal) {
        case Refusal::NoFont:
            return QStringLiteral("Шрифт «%1» не найден.")
                .arg(QString::fromStdString(message.font));
        case Refusal::EmptyText:
            return QStringLiteral("Введите текст.");
        case Refusal::TooWide:
            return QStringLiteral(
                       "Текст шириной %1 столбцов не помещается на табло (%2): сократите его "
                       "или покажите бегущей строкой.")
                .arg(plan.Width())
                .arg(kColumns);
        default:
            break;
    }
    return {};
}

}  // namespace

QString MessageListText(int index, const kadr::messages::Message& m) {
    const QString text = QString::fromStdString(m.text);
    QString how;
    if (m.show == kadr::messages::Show::Line) {
        how = QStringLiteral("бегущая строка");
    } else {
        how = QStringLiteral("%1, %2, %3")
                  .arg(EffectCaption(m.in).toLower(), Seconds(m.hold),
                       EffectCaption(m.out).toLower());
    }
    return QStringLiteral("%1. %2 — %3")
        .arg(index + 1)
        .arg(text.isEmpty() ? QStringLiteral("(пусто)") : text, how);
}

QString MessageTimingText(const kadr::messages::MessagePlan& plan,
                          const kadr::messages::Message& message, int speedAnim) {
    if (plan.refusal != Refusal::None) {
        return Refused(plan, message);
    }
    if (plan.show == kadr::messages::Show::Line) {
        return QStringLiteral(
                   "Бегущая строка: %1 кадр. (начало, %2 со строкой, конец); идёт со скоростью "
                   "бегущей строки.")
            .arg(plan.FrameCount())
            .arg(plan.FrameCount() - 2);
    }
    return QStringLiteral("%1; %2; %3.")
        .arg(Part(QStringLiteral("Появление"), static_cast<int>(plan.entry.size()), speedAnim),
             Part(QStringLiteral("держать"), plan.hold, speedAnim),
             Part(QStringLiteral("уход"), static_cast<int>(plan.exit.size()), speedAnim));
}

QString SpeedNoteText(int speedAnim) {
    return QStringLiteral(
               "Неподвижный текст идёт кадрами анимации: %1 кадр. в секунду, один кадр — %2. "
               "Бегущая строка идёт со скоростью бегущей строки.")
        .arg(speedAnim)
        .arg(Seconds(1.0 / std::max(speedAnim, 1)));
}

QString ProgramSummaryText(const kadr::messages::ProgramPlan& plan,
                           const kadr::messages::Program& program) {
    QString summary = QStringLiteral("Кадров нужно: %1, свободно: %2 (всего не более %3).")
                          .arg(plan.added)
                          .arg(plan.freeFrames)
                          .arg(kMaxFrames);
    const int index = plan.refusedMessage;
    if (plan.refusal == Refusal::TooLong) {
        summary += QStringLiteral(" Сообщения не помещаются.");
    } else if (plan.refusal == Refusal::NoMessages) {
        summary += QStringLiteral(" Добавьте сообщение.");
    } else if (plan.refusal != Refusal::None && index >= 0) {
        summary += QStringLiteral(" Сообщение %1: %2")
                       .arg(index + 1)
                       .arg(Refused(plan.messages[static_cast<std::size_t>(index)],
                                    program.messages[static_cast<std::size_t>(index)]));
    }
    return summary;
}

QString FieldErrorWords(int index, const kadr::messages::FieldError& error) {
    using kadr::messages::FieldProblem;
    const QString field = QString::fromStdString(error.field);
    QString why;
    switch (error.problem) {
        case FieldProblem::None:
            return {};
        case FieldProblem::UnknownField:
            why = QStringLiteral(
                      "поле %1 неизвестно (поля: {time}, {date}, {weekday}, {file:ПУТЬ}; {{ и }} "
                      "дают фигурные скобки).")
                      .arg(field);
            break;
        case FieldProblem::Unclosed:
            why = QStringLiteral("у «%1» нет закрывающей }; саму скобку пишите как {{.").arg(field);
            break;
        case FieldProblem::StrayClose:
            why = QStringLiteral("у } нет открывающей {; саму скобку пишите как }}.");
            break;
        case FieldProblem::EmptyPath:
            why = QStringLiteral("в поле {file:} не назван файл.");
            break;
        case FieldProblem::Unreadable:
            why = QStringLiteral("файл поля %1 не читается (%2).")
                      .arg(field, QString::fromStdString(error.detail));
            break;
    }
    return QStringLiteral("Сообщение %1: %2").arg(index + 1).arg(why);
}

}  // namespace kadr::editor

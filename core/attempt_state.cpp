#include "core/attempt_state.h"

void resetReadouts(PracticeWindow& window) {
    window.runAttemptClock(false);
    window.runIdleClock(true);
    window.setCaption(FormLabel::Label3, u"未用");
    window.setCaption(FormLabel::Label11, u"未开始");
    for (FormLabel label :
         {FormLabel::Label2, FormLabel::Label5, FormLabel::Label7, FormLabel::Label9})
        window.setCaption(label, u"0");
}

void endAttempt(PracticeWindow& window, LessonBox& lesson, TypingBox& typing) {
    resetReadouts(window);
    lesson.setText(u"");
    typing.setText(u"");
}

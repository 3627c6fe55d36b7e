#pragma once
// Marks a text of the core that the window shows translated. Qt's lupdate
// reads it as QT_TRANSLATE_NOOP(context, text); here it is the text itself.
#define ZOVEK_TR_NOOP(context, text) text

#pragma once

#include <QString>

// Fills the text tables the notices read with two rows, English and Ukrainian, each entry
// naming itself ("en QuestionTexts 2", "uk QuestionTexts 2") so a test can tell which row and
// entry a widget shows.
void FillNoticeTexts();
QString noticeText(int language, const QString &table, int entry);

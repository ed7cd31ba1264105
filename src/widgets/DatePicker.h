#pragma once
// TCalForm: the date picker ("Date Selection"), a month calendar with month and year lists. OK or a
// double click on a day returns the date. The main window also shows it as a plain calendar.

#include <QDialog>
#include <optional>

#include "base/Clock.h"

class QCalendarWidget;
class QComboBox;
class QSpinBox;

namespace widgets {

class TCalForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalForm(QWidget* parent = nullptr);

    // Shows the picker on `initial`; the chosen date, or nothing when cancelled.
    std::optional<base::Date> Pick(const QString& caption, base::Date initial);

    // The calendar to look at ("View Calendar" while open), centred on `over` when given.
    void ViewCalendar(base::Date today, QWidget* over);

    base::Date SelectedDate() const;
    void SetSelectedDate(base::Date date);

private:
    void CalendarPageChanged(int year, int month);
    void MonthListChange(int index);
    void YearListChange(int year);
    void MoveToPage(int year, int month);

    QCalendarWidget* calendar_;
    QComboBox* monthList_;
    QSpinBox* yearList_;
};

}  // namespace widgets

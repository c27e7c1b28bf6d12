#include "TMessageBoxRecorder.h"

namespace mecovnik::test {

TMessageBoxRecorder::TMessageBoxRecorder()
    : m_hook([this](const TMessageBoxRecord& record) {
          m_shown.append(record);
          if (!m_answers.isEmpty())
              return m_answers.dequeue();
          return (record.Buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
      })
{
}

std::optional<TMessageBoxRecord> TMessageBoxRecorder::Last() const
{
    if (m_shown.isEmpty())
        return std::nullopt;
    return m_shown.back();
}

} // namespace mecovnik::test

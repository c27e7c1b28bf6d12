#include "components/LazyIcon.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace mecovnik {

namespace {

qint64 Area(QSize s)
{
    return qint64(s.width()) * s.height();
}

// Each file is an icon of its own, made when first wanted, so a question
// about one size reads one file. Which file answers is chosen as QIcon's own
// engine chooses among the files of one icon: the smallest of at least the
// asked area, or else the largest; with one file to choose from, that icon's
// engine then scales and shades it exactly as the whole icon would.
class TLazyIconEngine final : public QIconEngine
{
public:
    struct TFile
    {
        QString Name;
        QSize Size;
        std::optional<QIcon> Icon;
    };
    struct TState
    {
        std::vector<TFile> Files;
        // Whether the files that are not there have been left out yet.
        bool Looked = false;
    };

    explicit TLazyIconEngine(std::shared_ptr<TState> state) : m_state(std::move(state)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        // Chosen for the device's pixels, as the file icon's engine chooses.
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        if (TFile* file = Choose(rect.size() * ratio))
            Icon(*file).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const TFile* file = Choose(size);
        if (!file)
            return {};
        QSize actual = file->Size;
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        TFile* file = Choose(size);
        return file ? Icon(*file).pixmap(size, 1.0, mode, state) : QPixmap();
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        Q_UNUSED(scale) // every file is of scale 1: the size alone chooses
        return pixmap(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode != QIcon::Normal || state != QIcon::Off)
            return sizes;
        for (const TFile& file : Files())
            sizes.append(file.Size);
        return sizes;
    }

    bool isNull() override { return Files().empty(); }

    QString key() const override { return QStringLiteral("mecovnik-lazy-files"); }
    QIconEngine* clone() const override { return new TLazyIconEngine(m_state); }

private:
    // Every file's entry is a normal, off one: the file icon's engine falls
    // back on those for any mode and state.
    TFile* Choose(QSize size) const
    {
        const qint64 wanted = Area(size);
        TFile* best = nullptr;
        for (TFile& file : Files()) {
            if (!best) {
                best = &file;
                continue;
            }
            const qint64 a = Area(file.Size);
            const qint64 b = Area(best->Size);
            qint64 pick = std::max(a, b);
            if (pick >= wanted && std::min(a, b) >= wanted)
                pick = std::min(a, b);
            if (pick == a)
                best = &file;
        }
        return best;
    }

    // A file that is not there is left out, as QIcon::addFile leaves it out;
    // looked at on the first question (that costs no decoding).
    std::vector<TFile>& Files() const
    {
        if (!std::exchange(m_state->Looked, true))
            std::erase_if(m_state->Files, [](const TFile& f) { return !QFile::exists(f.Name); });
        return m_state->Files;
    }

    static const QIcon& Icon(TFile& file)
    {
        if (!file.Icon) {
            QIcon icon;
            icon.addFile(file.Name, file.Size);
            file.Icon = icon;
        }
        return *file.Icon;
    }

    std::shared_ptr<TState> m_state;
};

} // namespace

QIcon LazyFileIcon(const QList<std::pair<QString, QSize>>& files)
{
    auto state = std::make_shared<TLazyIconEngine::TState>();
    for (const auto& [name, size] : files)
        state->Files.push_back({name, size, std::nullopt});
    return QIcon(new TLazyIconEngine(std::move(state)));
}

} // namespace mecovnik

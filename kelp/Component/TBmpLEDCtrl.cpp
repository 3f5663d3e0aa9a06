#include "kelp/Component/TBmpLEDCtrl.h"

#include "kelp/System/Assert.h"

namespace kelp {

namespace {
const char* const kSource = "kelp\\Component\\Source\\TBmpLEDCtrl";

int CheckedCount(int stateCount)
{
    KELP_ASSERT(stateCount > 0, kSource, 37);
    return stateCount;
}
} // namespace

TBmpLEDCtrl::TBmpLEDCtrl(TWinControl* hostControl, int stateCount)
    : m_host(std::make_unique<ImageHost>(hostControl)),
      m_painter(std::make_unique<SimplePainter>(*m_host)),
      m_led(std::make_unique<BmpLED>(0, 0, CheckedCount(stateCount), m_painter.get()))
{
    m_changeHandler = [this](TObject* sender) { BitmapChanged(sender); };
    for (int i = 0; i < stateCount; ++i)
        m_led->Bitmap(i).OnChange = [this](TObject* sender) {
            if (m_changeHandler)
                m_changeHandler(sender);
        };
}

TBmpLEDCtrl::~TBmpLEDCtrl() = default;

void TBmpLEDCtrl::BitmapChanged(TObject* sender)
{
    if (m_led->IndexOf(static_cast<TBitmap*>(sender)) == m_led->State())
        Refresh();
}

int TBmpLEDCtrl::StateCount() const
{
    return m_led->StateCount();
}

int TBmpLEDCtrl::GetState() const
{
    return m_led->State();
}

void TBmpLEDCtrl::SetState(int state)
{
    KELP_ASSERT(state >= 0 && state < StateCount(), kSource, 88);
    if (state == m_led->State())
        return;
    m_led->SetState(state);
    Refresh();
}

void TBmpLEDCtrl::Refresh()
{
    const int state = m_led->State();
    const TBitmap& shown = m_led->Bitmap(state);
    auto drawing = [this, state](TCanvas&) { DrawState(state); };
    if (shown.Width() >= m_host->Width() && shown.Height() >= m_host->Height())
        m_host->DrawOver(drawing);
    else
        m_host->Draw(drawing);
    m_painter->Flush();
    m_host->Image().Repaint();
}

void TBmpLEDCtrl::DrawState(int state)
{
    // A surface drawn late draws the state that was shown then.
    const int shown = m_led->State();
    m_led->SetState(state);
    m_led->Draw();
    m_led->SetState(shown);
}

void TBmpLEDCtrl::MoveBy(int dx, int dy)
{
    TImage& image = m_host->Image();
    image.SetBounds(image.Left() + dx, image.Top() + dy, image.Width(), image.Height());
}

int TBmpLEDCtrl::Left() const
{
    return m_host->Image().Left();
}

int TBmpLEDCtrl::Top() const
{
    return m_host->Image().Top();
}

int TBmpLEDCtrl::Width() const
{
    return m_host->Bitmap().Width();
}

int TBmpLEDCtrl::Height() const
{
    return m_host->Bitmap().Height();
}

TBitmap& TBmpLEDCtrl::Bitmap(int index)
{
    return m_led->Bitmap(index);
}

void TBmpLEDCtrl::AssignBitmap(const TBitmap& bitmap, int index)
{
    m_led->Bitmap(index).Assign(bitmap);
}

void TBmpLEDCtrl::SetSize(int width, int height)
{
    m_host->SetSize(width, height);
}

TColor TBmpLEDCtrl::TransparentColor() const
{
    return m_host->Bitmap().TransparentColor();
}

void TBmpLEDCtrl::SetTransparentColor(TColor color)
{
    m_host->Bitmap().SetTransparentColor(ColorToRGB(color));
}

bool TBmpLEDCtrl::Transparent() const
{
    return m_host->Image().Transparent();
}

void TBmpLEDCtrl::SetTransparent(bool transparent)
{
    m_host->Image().SetTransparent(transparent);
}

} // namespace kelp

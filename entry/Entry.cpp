#include "Entry.h"

#include "Parameters.h"

#include "qelvan_dm.h"
#include "qelvan_main.h"

#include "app/Application.h"
#include "db/Query.h"

#include <memory>
#include <stdexcept>

namespace qelvan::entry {

namespace {

// Owns one of the call's objects and publishes it in its global for exactly
// as long as it exists.
template <typename T>
class Published {
public:
    Published(T*& global, std::unique_ptr<T> object) : m_global(global), m_object(std::move(object))
    {
        m_global = m_object.get();
    }
    ~Published()
    {
        m_global = nullptr;
        m_object.reset();
    }
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;
    T* operator->() const { return m_object.get(); }
    T& operator*() const { return *m_object; }

private:
    T*& m_global;
    std::unique_ptr<T> m_object;
};

} // namespace

void showdll(WId hostWindow, Session* session, const char* const* params, std::int32_t highIndex)
{
    if (!session)
        throw std::invalid_argument("showdll: the host session is null");
    // Step 1: our own copies of the host's strings, held for the call.
    const QStringList texts = readParameters(params, highIndex);

    app::Application& application = app::Application::instance();
    application.ensureGuiApplication();
    // Step 2; restored last, after the window and the data module are gone.
    const app::WindowBinding binding(hostWindow);

    db::setDefaultSession(session);
    const Published<Tdm> module(dm, std::make_unique<Tdm>());
    const Published<TFm_Main> window(Fm_Main, std::make_unique<TFm_Main>(*module, application.hostWidget()));
    application.adopt(&*window);

    window->setClientHeight(parameterToInt(texts.at(8), "parameter 8, client height"));
    window->setClientWidth(parameterToInt(texts.at(9), "parameter 9, client width"));
    window->setTop(parameterToInt(texts.at(10), "parameter 10, top"));
    window->setLeft(parameterToInt(texts.at(11), "parameter 11, left"));

    dll_params = texts;

    window->exec();
}

} // namespace qelvan::entry

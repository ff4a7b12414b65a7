// BannerModel: what the user changed and has not saved yet, so the window can ask before it is lost.
// The buffer is compared with its copy taken at load (a save reloads, so it counts from the save);
// each game-info field with its text as last read from or written to the buffer.

#include "BannerModel.h"

namespace banner_editor {

namespace {

constexpr std::array<GameField, GAME_FIELD_COUNT> ALL_FIELDS{GameField::Title, GameField::Year, GameField::Players,
                                                             GameField::System, GameField::Rating};

} // namespace

const std::u16string& BannerModel::fieldText(GameField field) const
{
    switch (field) {
    case GameField::Title:
        return txtName;
    case GameField::Year:
        return txtYear;
    case GameField::Players:
        return txtPlayers;
    case GameField::System:
        return txtSystem;
    case GameField::Rating:
        break;
    }
    return txtESRB;
}

void BannerModel::markStored(GameField field)
{
    m_storedFields[static_cast<std::size_t>(field)] = fieldText(field);
}

void BannerModel::markAllStored()
{
    for (const GameField field : ALL_FIELDS)
        markStored(field);
}

std::vector<GameField> BannerModel::typedFields() const
{
    std::vector<GameField> typed;
    if (!hasLayout())
        return typed; // nothing to write them into
    for (const GameField field : ALL_FIELDS)
        if (fieldText(field) != m_storedFields[static_cast<std::size_t>(field)])
            typed.push_back(field);
    return typed;
}

bool BannerModel::hasUnsavedChanges() const
{
    return hasLayout() && (m_buffer != m_loadedBuffer || !typedFields().empty());
}

void BannerModel::setTypedFields()
{
    for (const GameField field : typedFields()) {
        if (field == GameField::Players || field == GameField::System)
            setAllLanguages(field);
        else
            setLanguageField(field);
    }
}

} // namespace banner_editor

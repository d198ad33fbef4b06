#include "profiles.h"

#include <array>

namespace veltara {

namespace {

constexpr std::array<NameProfile, 9> Profiles = {{
    {1,
     u"Very much the driving force.  A leader.  Ambitious.  Tends to be impatient.  The explorer.  The extrovert.  Automatically assumes command.  Frequently a big brother or big sister to those they know.  Very strong feelings either for or against.  Would not knowingly hurt anyone but might not know his or her own strength.  Can stand being praised and is entitled to it.  Praise can spur person to greater things.",
     u"Sun", u"sun.jpg", u"Fire", u"A, J, S", u"Red", u"Brown, Yellow, Gold"},
    {2,
     u"Sensitive, domestic.  Tends to be emotional and easily influenced to tears.  Has a fertile imagination.  Very fond of the home.  Patriotic.  Accepts changes in surroundings.  Prefers to live near the water.  Often possesses musical talents and would make a very good psychic.",
     u"Moon", u"moon.jpg", u"Water", u"B, K, T", u"Orange", u"Green, Cream, White"},
    {3,
     u"The investigator; the scientist; the seeker.  An interest in the material rather than the spiritual.  Ideas on religion frequently change.  Has a great sense of humor.  Not greatly interested in money.  Very trusting, yet likes to know the why and the how.",
     u"Jupiter", u"jupiter.jpg", u"Fire", u"C, L, U", u"Yellow", u"Mauve, Violet, Lilac"},
    {4,
     u"Inclined to appear strange and eccentric because she or he is usually ahead of his or her time.  Very interested in the occult; in psychic research.  Inclined to anything out of the ordinary.  Strong intuitive tendencies.  Can be bitingly sarcastic if crossed.  Believes in liberty and equality.  Can usually predict the probable outcome of actions and buisnesses.",
     u"Uranus", u"uranus.jpg", u"Air", u"D, M, V", u"Green", u"Blue, Grey"},
    {5,
     u"Active, both physically and mentally.  Inquiring, exploring.  Fond of reading and researching.  Good at languages.  Would make a very good teacher, writer, secretary.  Makes friends easily.  Usually methodical and orderly; adept at simplifying systems.",
     u"Mercury", u"mercury.jpg", u"Air", u"E, N, W", u"Blue", u"Light shades of any color."},
    {6,
     u"Gentle and refined; pleasant and sociable.  Usually good-looking.  Often experiences difficulties in financial fields.  Excellent as a host or hostess.  Friendly and agreeable.",
     u"Venus", u"venus.jpg", u"Earth", u"F, O, X", u"Indigo", u"All shades of Blue"},
    {7,
     u"Frequently possesses ESP.  Extremely psychic.  Introvert.  Although she or he does not say much, she or he usually knows a great deal.  Mysterious.  Often interested in psychology, psychiatry, chemistry and botany.  Knowledgeable in astrology and all fields of the occult.  Fond of fishing.  Inclined to take from the haves and give to the have-nots.",
     u"Neptune", u"Neptune.jpg", u"Water", u"G, P, Y", u"Violet", u"Light shades of Green and Yellow"},
    {8,
     u"Inclined to be cold and pessimistic.  Not much sense of humor.  Often slow getting off the mark but usually ends up ahead of the game.  Successful, especially where money is concerned.  Frequently connected with mining, real estate, and the law; also with cemeteries and pawnshops.  Believes that hard work never killed anyone.  Often prepossessed with thoughts of the past.",
     u"Saturn", u"saturn.jpg", u"Earth", u"H, Q, Z", u"Rose", u"Dark Grey, Blue, Purple, Black"},
    {9,
     u"Very emotional.  Can be extremely jealous.  Active, though rules be the emotions.  Tied Very much to family background.  Loyal.  Apt to be suspicious of strangers.  Impulsive.  Mars tends to be afraid of the unknown.  Often associated with surgery, physical, and mental illnesses.",
     u"Mars", u"Mars.jpg", u"Fire", u"I, R", u"Gold", u"Red, Crimson, Pink"},
}};

} // namespace

const NameProfile *LookupNameProfile(int nameNumber) noexcept
{
    if (nameNumber < 1 || nameNumber > 9)
        return nullptr;
    return &Profiles[static_cast<std::size_t>(nameNumber - 1)];
}

} // namespace veltara
